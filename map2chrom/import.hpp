// The whole import of a marker table, for map2chrom and for the programs that take a marker
// table in place of a chromosome file: read, checked, and written as the chromosome file's text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/outcome/outcome.hpp"

namespace map2chrom {

// A marker table's text and the name it was read from (for messages); `readable` false when
// the file could not be read, which is refused in its turn (after the tables before it).
struct TableText {
  std::string_view text;
  std::string name;
  bool readable = true;
};

// Imports `table` and, when given, `table2` (the population-2 frequencies); a byte-order mark
// at the start of a text is skipped. On success `chromosome` gets the chromosome file's text
// and `warnings` map2chrom's warning lines (without line ends). Returns the refusal in
// map2chrom's words, or nothing.
outcome::Outcome import_table(const TableText& table, const TableText* table2, std::string& chromosome,
                              std::vector<std::string>& warnings);

}  // namespace map2chrom
