#include "genodrop/meiosis.hpp"

#include <cmath>

#include "common/random/random.hpp"
#include "genodrop/stop_details.hpp"

namespace genodrop {

std::optional<float> crossover_chance(float previous, float position) {
  // The difference is a single-precision subtraction; the scaling to morgans is done in
  // double and rounded once, and exp runs in double on -2d with its result rounded to single
  // before the subtraction, so every run computes the same chances bit for bit.
  const float difference = position - previous;
  const float d = static_cast<float>(static_cast<double>(difference) * 0.01);
  if (d < 0.0f) return std::nullopt;
  if (d >= 300.0f) return 0.5f;
  const float e = static_cast<float>(std::exp(-2.0 * static_cast<double>(d)));
  return (1.0f - e) / 2.0f;
}

namespace {

// The crossover chances of a map, worked out once for every meiosis that uses it: chance[j]
// between locus j-1 and locus j (chance[0], the start, is 0.5), and the first locus that lies
// below the one before it (`fault`), or the locus count when the order holds.
struct MapChances {
  std::array<float, max_loci> chance{};
  std::size_t fault = 0;
};

MapChances map_chances(std::span<const float> positions) {
  MapChances map;
  map.fault = positions.size();
  for (std::size_t j = 0; j < positions.size(); ++j) {
    float r = 0.5f;
    if (j > 0) {
      const auto chance = crossover_chance(positions[j - 1], positions[j]);
      if (!chance) {
        map.fault = j;
        break;
      }
      r = *chance;
    }
    map.chance[j] = r;
  }
  return map;
}

// One meiosis from the parent's two haplotypes `first` and `second` into `haplotype`, with
// its deviates in `deviates` (all of one length L); false at the map's fault, having drawn
// the deviates of the loci before it.
bool transmit(std::span<float> deviates, std::span<std::int16_t> haplotype,
              std::span<const std::int16_t> first, std::span<const std::int16_t> second,
              const MapChances& map) {
  const std::size_t loci = haplotype.size();
  if (map.fault < loci) {
    for (std::size_t j = 0; j < map.fault; ++j) deviates[j] = ranlux::rndnum();
    return false;
  }
  // One call for the whole haplotype: the same numbers, in the same order, as one rndnum()
  // per locus.
  ranlux::ranlux(deviates);
  int source = 0;
  for (std::size_t j = 0; j < loci; ++j) {
    if (deviates[j] <= map.chance[j]) source = 1 - source;
    haplotype[j] = source == 0 ? first[j] : second[j];
  }
  return true;
}

}  // namespace

bool model_hap(std::span<float> deviates, std::span<std::int16_t> haplotype,
               std::span<const AllelePair> pair, std::span<const float> positions) {
  const std::size_t loci = positions.size();
  std::array<std::int16_t, max_loci> first{}, second{};
  for (std::size_t j = 0; j < loci; ++j) {
    first[j] = pair[j][0];
    second[j] = pair[j][1];
  }
  return transmit(deviates, haplotype, std::span(first).first(loci), std::span(second).first(loci),
                  map_chances(positions));
}

outcome::Outcome model_offspring(const Locides& locides, Pedigree& pedigree, Genotypes& genotypes,
                        Gent& gent, std::int32_t& made) {
  made = 0;
  const auto loci = static_cast<std::size_t>(locides.count);
  const MapChances map = map_chances(std::span<const float>(locides.positions.data(), loci));
  for (std::int32_t b = 1; b <= pedigree.blocks; ++b) {
    const std::int32_t first = pedigree.block_ends[b - 1];
    for (std::int32_t i = first; i < pedigree.block_ends[b]; ++i) {
      for (int side = 0; side < sides; ++side) {
        if (pedigree.pending[i][side] != 1) continue;
        const PedRecord& record = pedigree.records[i];
        const std::int32_t parent = first + (side == 0 ? record.father : record.mother) - 1;
        if (pedigree.pending[parent][0] != 0 || pedigree.pending[parent][1] != 0) continue;
        // Straight from the parent's rows into the child's: the parent is complete and the
        // child is not, so they are never the same row.
        const auto& from = genotypes.alleles[parent];
        if (!transmit(std::span(gent.deviates[i][side]).first(loci),
                      std::span(genotypes.alleles[i][side]).first(loci),
                      std::span(from[0]).first(loci), std::span(from[1]).first(loci), map)) {
          explain_marker_order(locides);
          return outcome::Stop{"illegal marker order"};
        }
        pedigree.pending[i][side] = 0;
        ++made;
      }
    }
  }
  return std::nullopt;
}

}  // namespace genodrop
