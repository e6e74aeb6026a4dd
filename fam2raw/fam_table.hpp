// Reading a pedigree table in the PLINK .fam or LINKAGE pre-makeped form: one individual per
// line, white-space separated columns family, id, father, mother, sex, then anything.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "fam2raw/command_line.hpp"
#include "fam2raw/problems.hpp"

namespace fam2raw {

// One individual as the table gives it. Ids are text: "0" as a parent means none.
struct FamRow {
  long line = 0;  // line of the table, 1 for the first; 0 for a parent added by the import
  std::string family, id, father, mother;
  int sex = 0;         // 0 unknown, 1 male, 2 female
  int population = 0;  // founders: 1 or 2; others: 0
  bool founder() const { return father == "0" && mother == "0"; }
};

// The most individuals famorder can number (its numbered pedigree counts them in five columns).
constexpr std::size_t max_rows = 99999;

struct FamTable {
  std::vector<FamRow> rows;  // in file order, blank and '#' lines left out
};

// Reads the table held in `text`, read from the file `name` (for messages). Founders get
// options.population, or the population in options.population_column. Adds to `problems`
// (each a whole message) a line with fewer than five columns, a sex code other than 0, 1 and
// 2, a founder population other than 1 and 2, an id 0, an individual (family and id) listed
// twice, more than max_rows rows, and a table without rows. A line with a bad sex code or
// population is kept (sex unknown, population 1), so that its children still find it; the
// others are left out.
void read_fam_table(std::string_view text, const std::string& name, const Options& options,
                    FamTable& table, Problems& problems);

}  // namespace fam2raw
