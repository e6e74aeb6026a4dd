// Reads a numbered pedigree file into the pedigree table, testing each record as it comes.
#pragma once

#include <cstdint>
#include <string_view>

#include "pedigree_table.hpp"

namespace famlint {

// Called with the row of each non-founder whose race is neither 0 nor 100, as it is read.
using RaceNoticeFn = void (*)(std::int32_t row);

// Opens `file_name` through the record layer, reads the header with "(3I5)" into `ndat` and
// tests it with check_count, then reads `ndat` records with "(6I5,A12)" into rows 1..ndat of
// `data`, testing each with check_record right after reading it; `on_notice` hears of each race
// notice and reading goes on. Returns true when every record was read and passed; otherwise
// fills `error` with the first failure, closes the file and returns false. A file that ends
// early or a field that cannot be read ends the run through the record layer's diagnostic.
bool read_pedigree(std::string_view file_name, Data& data, std::int32_t& ndat, Error& error,
                   RaceNoticeFn on_notice);

}  // namespace famlint
