#include "famorder/exchange.hpp"

#include <algorithm>
#include <bit>

namespace famorder {

namespace {

// Sorts `places`, distinct places from `low` to `n` - 1. A big pedigree listed out of order
// holds many of the places in that range, and marking them in a bit table and reading it back
// costs less than comparing them; a few places in a wide range are sorted as usual.
void sort_places(std::vector<std::uint32_t>& places, std::uint32_t low, std::size_t n,
                 std::vector<std::uint64_t>& marks) {
  const std::size_t words = (n - low + 63) / 64;
  if (words > places.size()) {
    std::sort(places.begin(), places.end());
    return;
  }
  marks.assign(words, 0);
  for (const std::uint32_t k : places) marks[(k - low) / 64] |= std::uint64_t{1} << ((k - low) % 64);
  std::size_t i = 0;
  for (std::size_t w = 0; w < words; ++w) {
    for (std::uint64_t b = marks[w]; b != 0; b &= b - 1) {
      places[i++] = static_cast<std::uint32_t>(low + 64 * w + static_cast<std::size_t>(std::countr_zero(b)));
    }
  }
}

}  // namespace

std::vector<std::uint32_t> exchange_order(std::span<const rawped::PedRecord> records,
                                          std::int32_t numped) {
  const std::size_t n = records.size();
  const std::size_t peds = static_cast<std::size_t>(numped);
  // Members of each pedigree, in input order.
  std::vector<std::uint32_t> first(peds + 2, 0);
  for (const auto& rec : records) ++first[static_cast<std::size_t>(rec.ped) + 1];
  for (std::size_t p = 1; p <= peds; ++p) first[p + 1] += first[p];
  // The result first, so that the scratch tables after it are given back in turn.
  std::vector<std::uint32_t> at(n);     // place -> record
  std::vector<std::uint32_t> where(n);  // record -> place
  for (std::uint32_t i = 0; i < n; ++i) at[i] = where[i] = i;
  std::vector<std::uint32_t> members(n);
  {
    std::vector<std::uint32_t> fill(first.begin(), first.end() - 1);
    for (std::uint32_t r = 0; r < n; ++r) members[fill[static_cast<std::size_t>(records[r].ped)]++] = r;
  }

  std::vector<std::uint32_t> places;
  std::vector<std::uint64_t> marks;
  for (std::size_t p = 1; p <= peds; ++p) {
    // Earlier passes have filled the places before `first[p]`, so the scan finds pedigree p's
    // records at their current places in ascending order, and the record it exchanges with is
    // never one of p's that is still to come.
    places.clear();
    for (std::uint32_t i = first[p]; i < first[p + 1]; ++i) places.push_back(where[members[i]]);
    if (!std::is_sorted(places.begin(), places.end())) sort_places(places, first[p], n, marks);
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
