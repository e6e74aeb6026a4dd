// Dense numbers for the raw values of a record table, so that lookups by value are array
// indexes instead of searches.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "common/rawped/record.hpp"

namespace famorder {

// The number of a field that holds 0 ("none").
constexpr std::uint32_t no_value = UINT32_MAX;

struct ValueNumbers {
  std::size_t count = 0;  // distinct non-zero values among id, nfat and nmat
  // Per record: the numbers of its id, nfat and nmat (0 to count - 1, in the order of the
  // values), no_value for 0.
  std::vector<std::array<std::uint32_t, 3>> key;
};

// Numbers the distinct non-zero values of the id, nfat and nmat fields of `records`. The
// table must hold fewer than 2^30 records.
ValueNumbers number_values(std::span<const rawped::PedRecord> records);

}  // namespace famorder
