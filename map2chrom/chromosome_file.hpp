// Writing the chromosome file that genodrop and xp-loci read.
#pragma once

#include <string>
#include <vector>

#include "map2chrom/marker_table.hpp"

namespace map2chrom {

// The chromosome file for `markers` (checked by check_markers, population 2 filled in): eight
// lines of description, the three layouts of examples/chromosome.wrk, a column header, the
// locus count, then per locus its first record (name, allele count, position, population-1
// frequencies) and its second record (population-2 frequencies), each on one line.
std::string chromosome_text(const std::vector<Marker>& markers);

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

}  // namespace map2chrom
