// What fam2raw adds on standard error when the raw pedigree it writes is larger than
// genodrop's table: famorder and famlint take it, genodrop would refuse it, simreps runs it.
#pragma once

#include <string>
#include <vector>

#include "fam2raw/raw_pedigree.hpp"

namespace fam2raw {

// The note for `records`: the individuals when above genodrop's max_individuals, else the
// family blocks famorder will make of them (its pedigrees: the individuals joined by parent
// links, a founder without children one of its own) when above genodrop's max_blocks. Empty
// when genodrop's table holds the pedigree.
std::string beyond_table_note(const std::vector<RawRecord>& records);

}  // namespace fam2raw
