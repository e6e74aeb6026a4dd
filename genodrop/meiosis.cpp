#include "meiosis.hpp"

#include <cmath>

#include "random.hpp"

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

bool model_hap(std::span<float> deviates, std::span<std::int16_t> haplotype,
               std::span<const AllelePair> pair, std::span<const float> positions) {
  int source = 0;
  for (std::size_t j = 0; j < positions.size(); ++j) {
    float r = 0.5f;
    if (j > 0) {
      const auto chance = crossover_chance(positions[j - 1], positions[j]);
      if (!chance) return false;
      r = *chance;
    }
    const float u = rndnum();
    deviates[j] = u;
    if (u <= r) source = 1 - source;
    haplotype[j] = pair[j][source];
  }
  return true;
}

outcome::Outcome model_offspring(const Locides& locides, Pedigree& pedigree, Genotypes& genotypes,
                        Gent& gent, std::int32_t& made) {
  made = 0;
  const auto loci = static_cast<std::size_t>(locides.count);
  const std::span<const float> positions(locides.positions.data(), loci);
  std::array<AllelePair, max_loci> pair{};
  std::array<std::int16_t, max_loci> haplotype{};
  std::array<float, max_loci> deviates{};
  for (std::int32_t b = 1; b <= pedigree.blocks; ++b) {
    const std::int32_t first = pedigree.block_ends[b - 1];
    for (std::int32_t i = first; i < pedigree.block_ends[b]; ++i) {
      for (int side = 0; side < sides; ++side) {
        if (pedigree.pending[i][side] != 1) continue;
        const PedRecord& record = pedigree.records[i];
        const std::int32_t parent = first + (side == 0 ? record.father : record.mother) - 1;
        if (pedigree.pending[parent][0] != 0 || pedigree.pending[parent][1] != 0) continue;
        for (std::size_t j = 0; j < loci; ++j)
          pair[j] = {genotypes.alleles[parent][0][j], genotypes.alleles[parent][1][j]};
        if (!model_hap(std::span(deviates).first(loci), std::span(haplotype).first(loci),
                       std::span<const AllelePair>(pair).first(loci), positions))
          return outcome::Stop{"illegal marker order"};
        for (std::size_t j = 0; j < loci; ++j) {
          genotypes.alleles[i][side][j] = haplotype[j];
          gent.deviates[i][side][j] = deviates[j];
        }
        pedigree.pending[i][side] = 0;
        ++made;
      }
    }
  }
  return std::nullopt;
}

}  // namespace genodrop
