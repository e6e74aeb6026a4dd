// What famlint prints while it runs through the record layer's console messages: the usage
// text and the race notice. The messages of errors are in messages.hpp.
#pragma once

#include <cstdint>

namespace famlint {

// Prints the two usage lines.
void print_usage();

// Prints the notice for a non-founder in data line `row` whose race is neither 0 nor 100.
void print_race_notice(std::int32_t row);

}  // namespace famlint
