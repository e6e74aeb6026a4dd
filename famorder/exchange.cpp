#include "exchange.hpp"

#include <algorithm>

namespace famorder {

std::vector<std::uint32_t> exchange_order(std::span<const rawped::PedRecord> records,
                                          std::int32_t numped) {
  const std::size_t n = records.size();
  const std::size_t peds = static_cast<std::size_t>(numped);
  // Members of each pedigree, in input order.
  std::vector<std::uint32_t> first(peds + 2, 0);
  for (const auto& rec : records) ++first[static_cast<std::size_t>(rec.ped) + 1];
  for (std::size_t p = 1; p <= peds; ++p) first[p + 1] += first[p];
  std::vector<std::uint32_t> members(n);
  {
    std::vector<std::uint32_t> fill(first.begin(), first.end() - 1);
    for (std::uint32_t r = 0; r < n; ++r) members[fill[static_cast<std::size_t>(records[r].ped)]++] = r;
  }

  std::vector<std::uint32_t> at(n);     // place -> record
  std::vector<std::uint32_t> where(n);  // record -> place
  for (std::uint32_t i = 0; i < n; ++i) at[i] = where[i] = i;
  std::vector<std::uint32_t> places;
  for (std::size_t p = 1; p <= peds; ++p) {
    // Earlier passes have filled the places before `first[p]`, so the scan finds pedigree p's
    // records at their current places in ascending order, and the record it exchanges with is
    // never one of p's that is still to come.
    places.clear();
    for (std::uint32_t i = first[p]; i < first[p + 1]; ++i) places.push_back(where[members[i]]);
    if (!std::is_sorted(places.begin(), places.end())) std::sort(places.begin(), places.end());
    std::uint32_t q = first[p];
    for (const std::uint32_t k : places) {
      if (k != q) {
        std::swap(at[k], at[q]);
        where[at[k]] = k;
        where[at[q]] = q;
      }
      ++q;
    }
  }
  return at;
}

}  // namespace famorder
