// The record table of famorder and its limits.
#pragma once

#include <cstdint>
#include <vector>

#include "common/rawped/record.hpp"

namespace famorder {

// The numbered pedigree writes its record count in 5 columns.
constexpr std::int32_t max_records = 99999;
// Pedigree numbers beyond this are refused after grouping.
constexpr std::int32_t max_pedigrees = 998;

// oldped, with the file line each record was read from (for messages). Obtained once the
// count is known; orpd reorders both vectors alike. As read, `line` stays empty while the
// records stand on consecutive lines, the first on `first_line` (the usual file, whose lines
// then take no memory until the records are reordered); orpd always fills it.
struct PedTable {
  std::vector<rawped::PedRecord> oldped;
  std::vector<std::int32_t> line;
  std::int32_t first_line = 0;

  // The line record `row` was read from (0 for a row past a line table made too short).
  std::int32_t line_of(std::size_t row) const {
    if (line.empty()) return first_line + static_cast<std::int32_t>(row);
    return row < line.size() ? line[row] : 0;
  }
};

}  // namespace famorder
