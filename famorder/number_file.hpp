// famorder's steps from a raw pedigree to a numbered table ready to be written: for famorder
// itself and for the programs that number a study's raw pedigree as famorder would.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "common/outcome/outcome.hpp"
#include "famorder/table.hpp"

namespace famorder {

// Reads the raw pedigree `infile`, opened as `in` (the caller closes it), into `table`; warns on
// standard error, in lines that start with `program`, about numbers with a leading zero and
// parents that no record carries; numbers the records (orpd); and checks that every value fits
// its column of the numbered pedigree and that no identifier is held twice. Returns the first
// refusal, its text as famorder prints it. At most `most_pedigrees` pedigrees: famorder's
// table, unless the caller gives the numbered pedigree's own limit.
outcome::Outcome number_file(std::FILE* in, const std::string& infile, PedTable& table,
                             std::string_view program, std::int32_t most_pedigrees = max_pedigrees);

}  // namespace famorder
