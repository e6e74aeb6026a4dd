// The limits of the files themselves, which bound a study run beyond the programs' tables
// (simreps runs it, simcheck checks it): the numbered pedigree counts its individuals, and
// numbers its families, in five columns; a line of the genotype file holds at most 1000 loci
// (its layouts' repeat count, and extract's table).
#pragma once

#include <cstdint>

namespace formats {

constexpr std::int32_t max_numbered_individuals = 99999;
constexpr std::int32_t max_genotype_loci = 1000;

}  // namespace formats
