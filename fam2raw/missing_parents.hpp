// --add-missing-parents: a parent that the table names but does not list becomes a founder of
// its child's family, as users of other tools' tables often leave such founders out.
#pragma once

#include <cstddef>

#include "fam2raw/command_line.hpp"
#include "fam2raw/fam_table.hpp"
#include "fam2raw/problems.hpp"

namespace fam2raw {

// Appends to `table` one founder row (line 0) for each parent named by a row and listed in
// no row of the child's family, in the order first named: sex 1 when first named as father, 2
// as mother; population options.population. Returns how many were added. Adds a problem to
// `problems`, and no row past it, when the table would exceed max_rows; `name` is the table's.
std::size_t add_missing_parents(FamTable& table, const Options& options, const std::string& name,
                                Problems& problems);

}  // namespace fam2raw
