#pragma once

namespace extract {

// Prints extract's usage text on standard output.
void print_usage();

}  // namespace extract
