// The two files fam2raw writes: the raw pedigree and, beside it, the map of its ids.
#pragma once

#include <string>
#include <vector>

#include "fam2raw/fam_table.hpp"
#include "fam2raw/raw_pedigree.hpp"

namespace fam2raw {

// The raw pedigree's text: descriptive line, count line, one line per record.
std::string raw_pedigree_text(const std::vector<RawRecord>& records);

// The id map's text: a header line, then per row its family, its id and its suite id,
// separated by tabs, in file order.
std::string id_map_text(const std::vector<FamRow>& rows, const std::vector<RawRecord>& records);

// Reads the whole file `name` into `text`. Returns false when it cannot be opened or read (a
// folder included).
bool read_file(const std::string& name, std::string& text);

// Writes `text` to the file `name`, replacing it. Returns false when it cannot be created or
// written (a full disk included); a half-written file is then removed.
bool write_file(const std::string& name, const std::string& text);

// Removes the half-written output `name`, if it is a regular file.
void remove_output(const std::string& name);

// True when the names `a` and `b` lead to the same file, whether or not it exists yet.
bool same_file(const std::string& a, const std::string& b);

}  // namespace fam2raw
