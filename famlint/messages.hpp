// The message of every error famlint reports, as it prints it: the traditional fixed-layout
// lines, and the lines famlint adds for what the traditional ones never covered. Each text is
// whole, line ends included, and the driver prints it as it stands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace famlint {

// A header count above the table (printed as it always has been, though the limit is 24096).
std::string sample_size_message();
// A header count `count` of 0 or less in the file `file_name`.
std::string empty_pedigree_message(std::string_view file_name, std::int32_t count);
// Exactly one of father and mother is 0 in data line `row`.
std::string one_parent_message(std::int32_t row);
// A founder with race 0 in data line `row`.
std::string founder_race_message(std::int32_t row);
// Data line `row` carries neither the current family number nor the next.
std::string family_sequence_message(std::int32_t row);
// Data line `row` of the file `file_name` opens one family more than the index holds.
std::string too_many_families_message(std::string_view file_name, std::int32_t row);
// Data line `row` lies in family `family` but carries another family number.
std::string family_number_message(std::int32_t family, std::int32_t row);
// Member `member` of family `family` is a parent of the wrong or of an unknown sex.
std::string sex_message(std::int32_t family, std::int32_t member);
// Member `member` of family `family` carries the individual number `found`.
std::string numbering_message(std::int32_t family, std::int32_t member, std::int32_t found);
// Member `member` of family `family` names a parent past the family's size.
std::string parent_range_message(std::int32_t family, std::int32_t member);

// `value` right-aligned in `width` columns, with '-' when negative; `width` asterisks when it
// does not fit. This is how the integer fields of famlint's fixed-layout messages print.
std::string fixed_int(std::int32_t value, int width);

}  // namespace famlint
