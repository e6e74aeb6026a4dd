#pragma once

namespace xptrait {

// Prints the usage text on standard output.
void print_usage();

}  // namespace xptrait
