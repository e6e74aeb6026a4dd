// A model locus that names no locus of the QTL genotype file adds nothing to the trait: one
// typo in a name gives a trait without its genetic effect and no other sign of it.
#pragma once

#include <string_view>

#include "traitsim/tables.hpp"

namespace traitsim {

// Writes one warning line on standard error for each model locus that no locus of the QTL
// genotype file `qtl_name` matches. Call once the QTL names are read.
void warn_unmatched_loci(const Locides& locides, std::string_view qtl_name);

}  // namespace traitsim
