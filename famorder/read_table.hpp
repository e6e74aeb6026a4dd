// osdl and orif as famorder uses them: the whole raw pedigree file into the record table.
#pragma once

#include <cstdio>
#include <string>

#include "common/outcome/outcome.hpp"
#include "famorder/table.hpp"

namespace famorder {

// Skips the descriptive line, reads the count and then every record of `in` (the file
// `infile`) into `table`, which is replaced. Records are read exactly as the shared reader
// reads them; the count is checked right after its line, before the table is obtained: a
// negative count or no room for the table, a count of 0 or a blank count line (nothing to
// number), and a count above max_records are refused before any record is read. Returns the
// first failure, with the line it concerns.
outcome::Outcome read_table(std::FILE* in, const std::string& infile, PedTable& table);

}  // namespace famorder
