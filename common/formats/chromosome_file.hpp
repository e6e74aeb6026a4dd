// The chromosome file: its count line, then one locus after another in map order. genodrop
// and xp-loci read it, map2chrom writes it, and genodrop's genotype file has one column per
// locus of it, which simcheck reads.
#pragma once

#include <cstdint>

namespace formats {

// The most loci a chromosome file may list.
constexpr std::int32_t max_chromosome_loci = 100;

}  // namespace formats
