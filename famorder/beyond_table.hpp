// What famorder adds on standard error when it refuses a raw pedigree only for the size of its
// pedigree table: the users of such a pedigree are pointed to simreps, which runs it.
#pragma once

#include <string>

#include "common/outcome/outcome.hpp"
#include "famorder/table.hpp"

namespace famorder {

// The note for `stop`, number_file's refusal that left `table` grouped into pedigrees: the
// count of pedigrees above max_pedigrees. Empty for every other refusal.
std::string beyond_table_note(const outcome::Stop& stop, const PedTable& table);

}  // namespace famorder
