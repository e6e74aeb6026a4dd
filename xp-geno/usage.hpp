#pragma once

namespace xpgeno {

// Prints the usage text on standard output.
void print_usage();

}  // namespace xpgeno
