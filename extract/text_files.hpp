// Whole-file reading for extract, which checks all of its input before it writes anything.
#pragma once

#include <string>

namespace extract {

// Reads the whole file `name` into `text`. Returns false when it cannot be opened or read.
bool read_file(const std::string& name, std::string& text);

}  // namespace extract
