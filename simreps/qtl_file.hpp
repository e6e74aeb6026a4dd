// The QTL genotype file of a study of several chromosomes: the files extract cut from each
// chromosome's genotype file, side by side, chromosome 1's trait loci first. traitsim reads it
// as the study's trait loci.
#pragma once

#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"

namespace simreps {

// Writes `merged` from the QTL genotype files `parts` (in chromosome order): the header with
// the individuals and the sum of the loci, then the names line and every individual's line,
// each the parts' lines in order, every part padded to its loci's 12 columns. Refuses parts
// that do not read as QTL genotype files of the same individuals.
outcome::Outcome merge_qtl_files(const std::vector<std::string>& parts, const std::string& merged);

}  // namespace simreps
