#include "genodrop/drop_plan.hpp"

#include "genodrop/founders.hpp"
#include "genodrop/meiosis.hpp"
#include "genodrop/stop_details.hpp"

namespace genodrop {

namespace {

bool complete(const Pedigree& pedigree, std::int32_t row) {
  return pedigree.pending[row][0] == 0 && pedigree.pending[row][1] == 0;
}

// One offspring pass: every pending haplotype whose parent is complete at that moment is
// made (its flag cleared at once, so later rows of the same pass may use it). Returns how
// many were made.
std::size_t one_pass(Pedigree& pedigree, std::vector<Meiosis>& meioses) {
  std::size_t made = 0;
  for (std::int32_t b = 1; b <= pedigree.blocks; ++b) {
    const std::int32_t first = pedigree.block_ends[b - 1];
    for (std::int32_t i = first; i < pedigree.block_ends[b]; ++i) {
      for (std::int32_t side = 0; side < sides; ++side) {
        if (pedigree.pending[i][side] != 1) continue;
        const PedRecord& record = pedigree.records[i];
        const std::int32_t parent = first + (side == 0 ? record.father : record.mother) - 1;
        if (!complete(pedigree, parent)) continue;
        meioses.push_back({i, side, parent});
        pedigree.pending[i][side] = 0;
        ++made;
      }
    }
  }
  return made;
}

// After a pass that made nothing, every pending haplotype waits on an incomplete parent of
// the same family block. Following such parents from `row` for N steps must therefore end on
// a cycle of the pedigree, which is what the message names.
std::int32_t row_on_cycle(const Pedigree& pedigree, std::int32_t row) {
  std::int32_t block = 1;
  while (pedigree.block_ends[block] <= row) ++block;
  const std::int32_t first = pedigree.block_ends[block - 1];
  for (std::int32_t step = 0; step < pedigree.count; ++step) {
    const PedRecord& record = pedigree.records[row];
    for (int side = 0; side < sides; ++side) {
      if (pedigree.pending[row][side] != 1) continue;
      const std::int32_t parent = first + (side == 0 ? record.father : record.mother) - 1;
      if (!complete(pedigree, parent)) {
        row = parent;
        break;
      }
    }
  }
  return row;
}

}  // namespace

void list_founders(Pedigree& pedigree, DropPlan& plan) {
  for (std::int32_t i = 0; i < pedigree.count; ++i)
    if (pedigree.records[i].father == 0) {
      plan.founders.push_back(i);
      pedigree.pending[i] = {0, 0};
    }
}

outcome::Outcome plan_drop(Pedigree& pedigree, std::string_view pedigree_name, DropPlan& plan) {
  plan = DropPlan{};
  list_founders(pedigree, plan);
  std::size_t left = 2 * (static_cast<std::size_t>(pedigree.count) - plan.founders.size());
  while (left > 0) {
    const std::size_t made = one_pass(pedigree, plan.meioses);
    if (made == 0) break;
    left -= made;
  }
  if (left == 0) return std::nullopt;
  std::int32_t waiting = 0;
  while (complete(pedigree, waiting)) ++waiting;
  const std::int32_t row = row_on_cycle(pedigree, waiting);
  const PedRecord& record = pedigree.records[row];
  return outcome::Stop{outcome::at_line(pedigree_name, row + 2) + "individual " +
                       std::to_string(record.individual) + raw_id(pedigree, row) + " of family " +
                       std::to_string(record.family) + " is its own ancestor, so no genotypes can be made for it"};
}

MapDraws prepare_map(const Locides& locides) {
  MapDraws map;
  const auto loci = static_cast<std::size_t>(locides.count);
  map.chance.assign(loci, 0.5f);
  map.fault = loci;
  for (std::size_t j = 1; j < loci; ++j) {
    const auto chance = crossover_chance(locides.positions[j - 1], locides.positions[j]);
    if (!chance) {
      map.fault = j;
      break;
    }
    map.chance[j] = *chance;
  }
  map.bucket_alleles.resize(loci);
  for (std::size_t j = 0; j < loci; ++j)
    for (int q = 0; q < populations; ++q) {
      if (!locides.ascending[j][q]) continue;
      // The allele of u is 1 plus the count of cumulative frequencies of alleles 1..m-1 below
      // u; the parts' smallest deviates rise, so one sweep finds them all.
      const std::vector<float>& cumulative = locides.cumulative[j][q];
      const std::int32_t m = locides.alleles[j];
      std::int32_t allele = 1;
      for (int k = 0; k <= MapDraws::buckets; ++k) {
        const float u = static_cast<float>(k) / MapDraws::buckets;
        while (allele < m && cumulative[static_cast<std::size_t>(allele - 1)] < u) ++allele;
        map.bucket_alleles[j][q][k] = static_cast<std::int16_t>(allele);
      }
    }
  return map;
}

outcome::Outcome check_marker_order(const DropPlan& plan, const MapDraws& map) {
  if (plan.meioses.empty() || map.fault == map.chance.size()) return std::nullopt;
  return outcome::Stop{"illegal marker order"};
}

std::int64_t numbers_of(const DropPlan& plan, std::int32_t loci) {
  return static_cast<std::int64_t>(loci) *
         (2 * static_cast<std::int64_t>(plan.founders.size()) + static_cast<std::int64_t>(plan.meioses.size()));
}

}  // namespace genodrop
