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
// count is known; orpd reorders both vectors alike.
struct PedTable {
  std::vector<rawped::PedRecord> oldped;
  std::vector<std::int32_t> line;
};

}  // namespace famorder
