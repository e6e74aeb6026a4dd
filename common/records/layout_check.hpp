// Layouts that come from a user's file (the chromosome file's lines 9 to 11) end the run with
// the read diagnostic when they cannot be parsed, and the diagnostic names only the line being
// read. Asking first lets a program say which line of the file the layout came from.
#pragma once

#include <string_view>

namespace records {

// Whether `text` parses as a layout for reading: well formed and without quoted text.
bool read_layout_parses(std::string_view text);

// When `layout` (line `line` of `file`) does not parse, writes one line on standard error,
// beginning with `program`, that names the line. Call just before the layout is first used.
void warn_unparsed_layout(std::string_view program, std::string_view file, int line,
                          std::string_view layout);

}  // namespace records
