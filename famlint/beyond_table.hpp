// What famlint adds on standard error when it refuses a numbered pedigree only for the size of
// its tables: the users of such a pedigree are pointed to simreps, which runs it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/outcome/outcome.hpp"
#include "famlint/pedigree_table.hpp"

namespace famlint {

// The note for `stop`, famlint's error on `file_name` with the header count `ndat` and the
// records `data` read: the count of records above max_records, or of families above
// max_families (counted as the family index counts them, each change of the family number
// starting one). Empty for every other error.
std::string beyond_table_note(const outcome::Stop& stop, std::string_view file_name, const Data& data,
                              std::int32_t ndat);

}  // namespace famlint
