// The seeds of a study: each replicate takes one seed per chromosome and one for the trait,
// in a run from the study's first seed on, and every seed must be one the generator takes.
// The command line, the study record and the replicates all keep to this one rule.
#pragma once

#include <cstddef>
#include <cstdint>

namespace simreps {

// The generator takes seeds from 1 up to this.
constexpr std::int64_t max_seed = 2147483647;

// The seeds each replicate takes with `chromosomes` chromosome files (K): K + 1.
constexpr std::int64_t seeds_per_replicate(std::size_t chromosomes) {
  return static_cast<std::int64_t>(chromosomes) + 1;
}

// The most replicates, `seeds` each, that the seeds from `first_seed` to max_seed hold.
constexpr std::int64_t room_for(std::int64_t first_seed, std::int64_t seeds) {
  return (max_seed - first_seed + 1) / seeds;
}

// The highest first seed that leaves room for `count` replicates, `seeds` each (at least 1
// while `count` is at most room_for(1, seeds)).
constexpr std::int64_t highest_first_seed(std::int64_t count, std::int64_t seeds) {
  return max_seed + 1 - seeds * count;
}

// A first seed for `count` replicates, `seeds` each, drawn from the system's random source
// (never the clock: two studies started minutes apart would otherwise share most of their
// seeds), from 1 to highest_first_seed(count, seeds).
std::int32_t drawn_first_seed(std::int64_t count, std::int64_t seeds);

// The seeds of replicate `replicate` (from 1) of the study of `chromosomes` chromosomes (K)
// whose first seed is S: S + (K+1)(replicate - 1) + (k-1) for the genotypes of chromosome k,
// and S + (K+1)(replicate - 1) + K for the trait. With one chromosome: S + 2(replicate - 1)
// and one more.
struct Seeds {
  std::int32_t genotypes = 0;  // chromosome 1's; chromosome k's is k - 1 more
  std::int32_t trait = 0;
};
Seeds seeds_of(std::int32_t first_seed, std::int64_t replicate, std::int64_t chromosomes = 1);

}  // namespace simreps
