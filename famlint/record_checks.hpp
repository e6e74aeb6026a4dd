// The tests famlint makes before the family checks: the header count, each record as it is
// read, and the run of family numbers through the file.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "common/outcome/outcome.hpp"
#include "famlint/pedigree_table.hpp"

namespace famlint {

// Called with the row of each non-founder whose race is neither 0 nor 100.
using RaceNoticeFn = std::function<void(std::int32_t row)>;

// Tests the header count `ndat` of the file `file_name`. Returns nothing when it lies in
// 1..max_records; otherwise the sample-size message above the limit, or the empty-pedigree
// message naming `file_name` at 0 or less.
// (The limit is `most`: famlint's table unless the caller gives another.)
outcome::Outcome check_count(std::int32_t ndat, std::string_view file_name, std::int32_t most = max_records);

// Tests stored row `row` of `data` in order: both parents given or neither, a founder's race
// not 0, a non-founder's race 0 or 100. A race other than those is no error: `on_notice` hears
// of it and the run goes on. Returns nothing, or the message of the first test that fails.
outcome::Outcome check_record(const Data& data, std::int32_t row, RaceNoticeFn on_notice);

// Tests that the family numbers of rows 2..ndat of `data` stay at the current family or move
// to the next one, the current family starting at 1; row 1 is left to the family checks.
// Returns nothing when they do; otherwise the numeration message for the first row that breaks
// the run.
outcome::Outcome check_sequence(const Data& data, std::int32_t ndat);

}  // namespace famlint
