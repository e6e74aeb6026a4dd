// The tests famlint makes before the family checks: the header count, each record as it is
// read, and the run of family numbers through the file.
#pragma once

#include <cstdint>

#include "pedigree_table.hpp"

namespace famlint {

// Tests the header count `ndat`. Returns true when it lies in 1..max_records; otherwise fills
// `error` (sample_size above the limit, empty_pedigree at 0 or less) and returns false.
bool check_count(std::int32_t ndat, Error& error);

// What the tests of one stored record found.
enum class RecordVerdict {
  pass,
  race_notice,  // a non-founder with a race other than 0 or 100: reported, and the run goes on
  error,        // `error` is filled
};

// Tests stored row `row` of `data` in order: both parents given or neither, a founder's race
// not 0, a non-founder's race 0 or 100. Returns the verdict; on `error` fills `error`.
RecordVerdict check_record(const Data& data, std::int32_t row, Error& error);

// Tests that the family numbers of rows 2..ndat of `data` stay at the current family or move
// to the next one, the current family starting at 1; row 1 is left to the family checks.
// Returns true when they do; otherwise fills `error` (family_sequence) for the first row that
// breaks the run and returns false.
bool check_sequence(const Data& data, std::int32_t ndat, Error& error);

}  // namespace famlint
