// Reading a marker table: one locus per line, tab-separated columns name, position in cM,
// then the allele frequencies of population 1, optionally a column holding "|" and the
// frequencies of population 2. Blank lines and lines beginning with '#' are skipped, and so
// is a first line whose position and first frequency columns are not numbers (a header).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/outcome/outcome.hpp"

namespace map2chrom {

struct Marker {
  long line = 0;  // line of the table, 1 for the first
  std::string name;
  double position = 0;
  std::vector<double> population1;  // the frequencies of alleles 1..m, as written
  std::vector<double> population2;  // empty when the line has no "|" column
};

struct MarkerTable {
  std::vector<Marker> markers;  // in file order
};

// Reads the table held in `text`, read from the file `name` (for messages). Refuses, naming
// the line: fewer than three columns, an empty column, a column with a blank inside, a
// position or frequency that is not a decimal number, a frequency below 0 or above 1, a
// second "|" column, and a "|" column with no frequency on one of its sides. It checks no
// sums, names or order (marker_checks.hpp does). The refusal is the whole message.
outcome::Outcome read_marker_table(std::string_view text, const std::string& name,
                                   MarkerTable& table);

// Reads a whole decimal number (optional sign, digits with an optional point, optional
// exponent) from `text` into `value`. Returns false for anything else, "inf" and "nan"
// included.
bool parse_decimal(std::string_view text, double& value);

}  // namespace map2chrom
