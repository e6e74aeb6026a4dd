// The table famlint checks a numbered pedigree in: the pedigree table `data` with its record
// count `ndat`.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/numbered_pedigree/numbered_record.hpp"

namespace famlint {

// Records the pedigree table holds; a header count above it is refused before any record is read.
constexpr std::int32_t max_records = 24096;
// Characters of the identifier (columns 31-42), kept and never tested.
constexpr std::size_t name_length = 12;

// One row per record in file order, row i for the i-th record line after the header; row 0 is
// unused so that row numbers are the data line numbers the messages print. The integer fields
// keep only the low 16 or 8 bits of what was read, as famlint has always stored them, and
// every test sees the stored value: a race of 256 tests as 0 and a family number of 65537 as 1
// (unless `narrow` is off). Room for `rows` records, famlint's table by default.
struct Data {
  explicit Data(std::int32_t rows = max_records)
      : family(rows + 1), individual(rows + 1), father(rows + 1), mother(rows + 1), race(rows + 1), sex(rows + 1),
        name(rows + 1) {}
  std::vector<std::int32_t> family;
  std::vector<std::int32_t> individual;
  std::vector<std::int32_t> father;
  std::vector<std::int32_t> mother;
  std::vector<std::int32_t> race;
  std::vector<std::int32_t> sex;
  std::vector<std::array<char, name_length>> name;
  bool narrow = true;
};

// The six integers of one record line as read, before they are narrowed for storage.
using RecordFields = numbered_pedigree::Record;

// Stores `fields` and `name` into row `row` of `data`, keeping the low 16 bits of family,
// individual, father and mother and the low 8 bits of race and sex (two's complement).
// `row` must lie in 1..max_records; the reader checks it against the header count first.
void store_record(Data& data, std::int32_t row, const RecordFields& fields,
                  const std::array<char, name_length>& name);

}  // namespace famlint
