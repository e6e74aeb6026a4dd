#pragma once

namespace traitsim {

// Prints traitsim's five usage lines on standard output, each with the one leading blank of
// console messages.
void print_usage();

}  // namespace traitsim
