// traitsim's fatal stop: the suite's one-line message, also left in the file "err" so that a
// script running the chain can find why the trait simulation stopped.
#pragma once

#include <string_view>

namespace traitsim {

// Prints `text` as one console message on standard output, writes it to the file "err" in the
// current directory (one line, padded with blanks to 255 characters, an existing "err"
// replaced), and ends the run with exit status 1. The phenotype file is not written.
[[noreturn]] void sstop(std::string_view text);

}  // namespace traitsim
