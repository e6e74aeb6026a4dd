// What genodrop adds on standard error when it refuses a numbered pedigree only for the size
// of its table: the users of such a pedigree are pointed to simreps, which runs it.
#pragma once

#include <string>
#include <string_view>

#include "common/outcome/outcome.hpp"
#include "genodrop/tables.hpp"

namespace genodrop {

// The note for `stop`, the refusal of read_pedigree on the numbered pedigree `name` that left
// `pedigree` as it was: the count of individuals (the header's) above max_individuals, or of
// family blocks above max_blocks. Empty for every other refusal.
std::string beyond_table_note(const outcome::Stop& stop, std::string_view name, const Pedigree& pedigree);

}  // namespace genodrop
