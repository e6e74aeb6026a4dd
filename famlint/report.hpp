// What famlint prints through the record layer's console messages while it runs: the race
// notice. The messages of errors are in messages.hpp, the usage text in command_line.hpp.
#pragma once

#include <cstdint>

namespace famlint {

// Prints the notice for a non-founder in data line `row` whose race is neither 0 nor 100.
void print_race_notice(std::int32_t row);

}  // namespace famlint
