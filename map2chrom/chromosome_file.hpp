// Writing the chromosome file that genodrop and xp-loci read.
#pragma once

#include <string>
#include <vector>

#include "map2chrom/marker_table.hpp"

namespace map2chrom {

// The chromosome file for `markers` (checked by check_markers, population 2 filled in): eight
// lines of description, the three layouts of examples/chromosome.wrk, a column header, the
// locus count, then per locus its first record (name, allele count, position, population-1
// frequencies) and its second record (population-2 frequencies), each on one line.
std::string chromosome_text(const std::vector<Marker>& markers);

}  // namespace map2chrom
