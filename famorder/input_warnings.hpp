// Warnings on standard error for raw pedigrees that famorder accepts but that are most likely
// not what the user meant. They never change the numbered pedigree or the exit status; each
// line starts with the name of the `program` that numbers the file.
#pragma once

#include <string>
#include <string_view>

#include "famorder/table.hpp"
#include "famorder/values.hpp"

namespace famorder {

// A father or mother id that no record of the file carries: famorder numbers it all the same,
// and the next program names only a number the user never wrote. Call before orpd, with the
// values of the table numbered (number_values).
void warn_unknown_parents(const PedTable& table, const ValueNumbers& values,
                          const std::string& infile, std::string_view program);

// A number written with a leading zero on a record line (read as octal, so 0101 is 65 and
// 0108 is 010 followed by 8). Reads the file `infile` again.
void warn_leading_zeros(const PedTable& table, const std::string& infile,
                        std::string_view program);

}  // namespace famorder
