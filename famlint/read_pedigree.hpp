// Reads a numbered pedigree file into the pedigree table, testing each record as it comes.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/outcome/outcome.hpp"
#include "famlint/family_index.hpp"
#include "famlint/pedigree_table.hpp"
#include "famlint/record_checks.hpp"

namespace famlint {

// Opens `file_name` through the record layer, reads the header with "(3I5)" into `ndat` and
// tests it with check_count, then reads `ndat` records with "(6I5,A12)" into rows 1..ndat of
// `data`, testing each with check_record right after reading it; `on_notice` hears of each race
// notice and reading goes on. Closes the file. Returns nothing when every record was read and
// passed, or the message of the first failure. A file that ends early or a field that cannot
// be read ends the run through the record layer's diagnostic.
// `limits` are famlint's table's unless the caller gives others; `data` grows to the count.
outcome::Outcome read_pedigree(std::string_view file_name, Data& data, std::int32_t& ndat,
                               RaceNoticeFn on_notice, const Limits& limits = {});

}  // namespace famlint
