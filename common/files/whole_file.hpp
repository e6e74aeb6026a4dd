// Whole files in one piece, for the programs that check all of their input before they write
// anything (extract, fam2raw, map2chrom).
#pragma once

#include <string>

namespace files {

// Reads the whole file `name` into `text`. Returns false when it cannot be opened or read (a
// folder, say).
bool read_file(const std::string& name, std::string& text);

// Writes `text` as the whole file `name`, created or emptied. Returns false when it cannot be
// written, having removed what was written (see remove_output); `error`, when given, then
// receives the system's reason (an errno value).
bool write_file(const std::string& name, const std::string& text, int* error = nullptr);

// Removes the output `name` when it is a plain file: an output named /dev/full must survive a
// full disk.
void remove_output(const std::string& name);

}  // namespace files
