#include "genodrop/completion.hpp"

#include <string>

#include "genodrop/meiosis.hpp"
#include "genodrop/stop_details.hpp"

namespace genodrop {

namespace {

bool complete(const Pedigree& pedigree, std::int32_t row) {
  return pedigree.pending[row][0] == 0 && pedigree.pending[row][1] == 0;
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

outcome::Outcome complete_offspring(const Locides& locides, Pedigree& pedigree, Genotypes& genotypes,
                           Gent& gent, std::string_view pedigree_name) {
  for (;;) {
    std::int32_t made = 0;
    if (auto stop = model_offspring(locides, pedigree, genotypes, gent, made)) return stop;
    std::int32_t waiting = -1;
    for (std::int32_t i = 0; i < pedigree.count && waiting < 0; ++i)
      if (!complete(pedigree, i)) waiting = i;
    if (waiting < 0) return std::nullopt;
    if (made == 0) {
      const std::int32_t row = row_on_cycle(pedigree, waiting);
      const PedRecord& record = pedigree.records[row];
      return outcome::Stop{outcome::at_line(pedigree_name, row + 2) + "individual " +
                           std::to_string(record.individual) + raw_id(pedigree, row) + " of family " +
                           std::to_string(record.family) + " is its own ancestor, so no genotypes can be made for it"};
    }
  }
}

}  // namespace genodrop
