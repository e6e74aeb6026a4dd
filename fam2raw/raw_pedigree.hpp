// From the rows of a pedigree table to the records of the suite's raw pedigree.
#pragma once

#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "fam2raw/fam_table.hpp"
#include "fam2raw/problems.hpp"

namespace fam2raw {

// One record of the raw pedigree: the suite's integer ids.
struct RawRecord {
  int id = 0, father = 0, mother = 0, race = 0, sex = 0;
};

struct RawPedigree {
  std::vector<RawRecord> records;  // record k belongs to rows[k]
};

// Gives row k the suite id k + 1 and looks its parents up among the rows of its own family.
// Adds to `problems`, naming the line of `name` and the ids: a parent that is not in the file,
// a row with one parent only, a row that is its own parent, an individual whose sex
// contradicts its parenthood (a father of sex 2, a mother of sex 1, or one id named both
// father and mother), and a pedigree loop (someone their own ancestor). A parent of unknown
// sex (0) is given the sex its parenthood shows. `pedigree` is to be empty.
void to_raw_pedigree(const std::vector<FamRow>& rows, const std::string& name,
                     RawPedigree& pedigree, Problems& problems);

}  // namespace fam2raw
