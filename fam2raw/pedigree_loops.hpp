// Pedigree loops: someone who is their own ancestor. famorder and genodrop could never give
// such a person alleles, so the import refuses the table, naming the loop by the table's ids.
#pragma once

#include <string>
#include <vector>

#include "fam2raw/fam_table.hpp"
#include "fam2raw/problems.hpp"
#include "fam2raw/raw_pedigree.hpp"

namespace fam2raw {

// How many steps of a loop a message names; a longer loop is named by its start and counted.
constexpr std::size_t max_loop_steps = 6;

// Adds to `problems` one message for each loop among the parent links of `records` (record k
// is rows[k]; a parent of 0 is none), naming the ids and lines of `name` along it.
void find_pedigree_loops(const std::vector<FamRow>& rows, const std::vector<RawRecord>& records,
                         const std::string& name, Problems& problems);

}  // namespace fam2raw
