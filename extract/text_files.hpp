// Whole-file reading and writing for extract.
#pragma once

#include <string>
#include <string_view>

namespace extract {

// Reads the whole file `name` into `text`. Returns false when it cannot be opened or read.
bool read_file(const std::string& name, std::string& text);

// Creates or replaces the file `name` with `text`. Returns false when the file cannot be
// opened, written or closed in full.
bool write_file(const std::string& name, std::string_view text);

// True when the names `a` and `b` lead to the same file, whether or not it exists yet
// ("mark.wrk" and "./mark.wrk", or a link and its target).
bool same_file(const std::string& a, const std::string& b);

}  // namespace extract
