// The tables famlint checks a numbered pedigree in: the pedigree table `data` with its record
// count `ndat`, and `error`, the one error a run reports.
#pragma once

#include <array>
#include <cstdint>

#include "numbered_record.hpp"

namespace famlint {

// Records the pedigree table holds; a header count above it is refused before any record is read.
constexpr std::int32_t max_records = 24096;
// Characters of the identifier (columns 31-42), kept and never tested.
constexpr std::size_t name_length = 12;

// One row per record in file order, row i for the i-th record line after the header; row 0 is
// unused so that row numbers are the data line numbers the messages print. The integer fields
// keep only the low 16 or 8 bits of what was read, as famlint has always stored them, and
// every test sees the stored value: a race of 256 tests as 0 and a family number of 65537 as 1.
struct Data {
  std::array<std::int16_t, max_records + 1> family;
  std::array<std::int16_t, max_records + 1> individual;
  std::array<std::int16_t, max_records + 1> father;
  std::array<std::int16_t, max_records + 1> mother;
  std::array<std::int8_t, max_records + 1> race;
  std::array<std::int8_t, max_records + 1> sex;
  std::array<std::array<char, name_length>, max_records + 1> name;
};

// The six integers of one record line as read, before they are narrowed for storage.
using RecordFields = numbered_pedigree::Record;

// Stores `fields` and `name` into row `row` of `data`, keeping the low 16 bits of family,
// individual, father and mother and the low 8 bits of race and sex (two's complement).
// `row` must lie in 1..max_records; the reader checks it against the header count first.
void store_record(Data& data, std::int32_t row, const RecordFields& fields,
                  const std::array<char, name_length>& name);

// The first error a run finds; famlint stops there, so one is all it ever holds. Which of
// `row`, `family`, `member` and `found` carry a value depends on `kind` (see each kind).
struct Error {
  enum class Kind {
    none,
    sample_size,       // count: the header count, above max_records
    empty_pedigree,    // count: the header count, 0 or less
    one_parent,        // row: exactly one of father and mother is 0
    founder_race,      // row: a founder with race 0
    family_sequence,   // row: neither the current family number nor the next
    too_many_families, // row: the row that opens one family more than the index holds
    family_number,     // family k, row j: a record of family k carries another number
    sex,               // family k, member: the individual number the sex error concerns
    numbering,         // family k, member: the number expected, found: the number read
    parent_range,      // family k, member: the record whose parent number exceeds k's size
  };
  Kind kind = Kind::none;
  std::int32_t count = 0;
  std::int32_t row = 0;
  std::int32_t family = 0;
  std::int32_t member = 0;
  std::int32_t found = 0;
};

}  // namespace famlint
