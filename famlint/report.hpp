// Everything famlint prints: the usage text, the race notice and the message of each error,
// all on standard output.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "pedigree_table.hpp"

namespace famlint {

// Prints the two usage lines.
void print_usage();

// Prints the notice for a non-founder in data line `row` whose race is neither 0 nor 100.
void print_race_notice(std::int32_t row);

// Prints the message of `error` (whose kind is not none); `file_name` is the pedigree file as
// opened, named by the messages famlint adds to the traditional ones.
void print_error(const Error& error, std::string_view file_name);

// `value` right-aligned in `width` columns, with '-' when negative; `width` asterisks when it
// does not fit. This is how the integer fields of famlint's fixed-layout messages print.
std::string fixed_int(std::int32_t value, int width);

}  // namespace famlint
