#include "simreps/seeds.hpp"

#include <random>

namespace simreps {

std::int32_t drawn_first_seed(std::int64_t count, std::int64_t seeds) {
  std::random_device source;
  std::uniform_int_distribution<std::int64_t> seed(1, highest_first_seed(count, seeds));
  return static_cast<std::int32_t>(seed(source));
}

Seeds seeds_of(std::int32_t first_seed, std::int64_t replicate, std::int64_t chromosomes) {
  const std::int64_t seeds = seeds_per_replicate(static_cast<std::size_t>(chromosomes));
  const auto genotypes = static_cast<std::int32_t>(first_seed + seeds * (replicate - 1));
  return {genotypes, static_cast<std::int32_t>(genotypes + chromosomes)};
}

}  // namespace simreps
