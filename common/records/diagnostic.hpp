// The diagnostic that ends a run on a fault of reading or writing. Internal to the layer.
#pragma once

#include <string_view>

#include "common/records/records.hpp"

namespace records {

class File;

// Writes the four diagnostic lines to standard error:
//   "<step>: <reason>"                  (reason "end of file" when the file ended too early)
//   "apparent state: unit <unit> named <name>"
//   "last format: <the layout in use, without trailing blanks>"
//   "lately reading|writing sequential formatted external IO"
// then flushes and closes every open file, flushes standard output and raises the abort
// signal. `step` names what failed ("formatted read at line 7", "formatted write at line 2",
// "open", "close").
[[noreturn]] void fail(std::string_view step, std::string_view reason, int unit,
                       std::string_view name, std::string_view layout, Mode mode);

// The same for a fault in a read or write on `file`, which names the unit, file, layout and
// line ("formatted read at line <n>").
[[noreturn]] void fail(const File& file, std::string_view reason);

// A write that failed (a full disk, say) on the file `name`, with the system error `error`:
// the four diagnostic lines with the reason "can't write file (<system reason>)", then every
// open file closed, every file opened for writing since none was open removed when it is a
// plain file (an output cut short must not look finished, and outputs written together belong
// together), and the fatal stop with the suite's message files::cannot_write for the program
// named by name_program(): status 1, not the abort signal. A write fault met while ending the
// run (in the program's stop record, say) removes the files and ends with status 1 at once.
[[noreturn]] void write_fault(std::string_view step, int error, int unit, std::string_view name,
                              std::string_view layout);
[[noreturn]] void write_fault(const File& file, int error);

// Reasons the layer gives.
inline constexpr std::string_view end_of_file = "end of file";
inline constexpr std::string_view unexpected_character = "read unexpected character";
inline constexpr std::string_view error_in_format = "error in format";
inline constexpr std::string_view wrong_kind = "layout item of the wrong kind for the list item";
inline constexpr std::string_view integer_overflow = "integer too large for its variable";
inline constexpr std::string_view real_overflow = "real too large for its variable";
inline constexpr std::string_view line_too_long = "line longer than 16777216 columns";

}  // namespace records
