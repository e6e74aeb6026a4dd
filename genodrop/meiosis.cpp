#include "genodrop/meiosis.hpp"

#include <cmath>
#include <vector>

#include "common/random/random.hpp"

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

void transmit(std::span<const float> deviates, std::span<std::int16_t> haplotype, std::span<const std::int16_t> first,
              std::span<const std::int16_t> second, std::span<const float> chance) {
  int source = 0;
  for (std::size_t j = 0; j < haplotype.size(); ++j) {
    if (deviates[j] <= chance[j]) source = 1 - source;
    haplotype[j] = source == 0 ? first[j] : second[j];
  }
}

bool model_hap(std::span<float> deviates, std::span<std::int16_t> haplotype,
               std::span<const AllelePair> pair, std::span<const float> positions) {
  const std::size_t loci = positions.size();
  std::vector<std::int16_t> first(loci), second(loci);
  std::vector<float> chance(loci, 0.5f);
  for (std::size_t j = 0; j < loci; ++j) {
    first[j] = pair[j][0];
    second[j] = pair[j][1];
    if (j == 0) continue;
    const auto r = crossover_chance(positions[j - 1], positions[j]);
    if (!r) {
      // The deviates up to the locus out of order are drawn, as a meiosis there draws them.
      for (std::size_t k = 0; k < j; ++k) deviates[k] = ranlux::rndnum();
      return false;
    }
    chance[j] = *r;
  }
  ranlux::ranlux(deviates);
  transmit(deviates, haplotype, first, second, chance);
  return true;
}

}  // namespace genodrop
