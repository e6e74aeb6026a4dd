// What traitsim adds on standard error when it refuses a QTL genotype file only for the size
// of its table: the users of such a file are pointed to simreps, which runs it.
#pragma once

#include <string>

#include "common/outcome/outcome.hpp"
#include "traitsim/tables.hpp"

namespace traitsim {

// The note for `stop`, the refusal of read_qtl_header that left the header's count of
// individuals in `genotypes`: that count and max_individuals. Empty for every other refusal.
std::string beyond_table_note(const outcome::Stop& stop, const Genotypes& genotypes);

}  // namespace traitsim
