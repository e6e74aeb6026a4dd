#include "map2chrom/frequencies.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace map2chrom {

namespace {

// genodrop reads each F7.4 field into a float and sums them in single precision.
bool genodrop_accepts(const std::vector<int>& units) {
  float sum = 0.0f;
  char text[16];
  for (std::size_t a = 0; a + 1 < units.size(); ++a) {
    std::snprintf(text, sizeof text, "%.4f", units[a] / static_cast<double>(units_per_one));
    sum += std::strtof(text, nullptr);
  }
  return !(sum > 1.0f);
}

}  // namespace

std::vector<int> to_units(const std::vector<double>& f) {
  const std::size_t m = f.size();
  const double total = std::accumulate(f.begin(), f.end(), 0.0);
  std::vector<int> units(m, 0);
  std::vector<double> rest(m, 0);
  long given = 0;
  for (std::size_t a = 0; a < m; ++a) {
    // The small allowance keeps 0.1234 from becoming 1233 units and a remainder of 0.9999.
    const double q = f[a] / total * units_per_one + 1e-9;
    units[a] = static_cast<int>(std::floor(q));
    rest[a] = q - units[a];
    given += units[a];
  }
  std::vector<std::size_t> order(m);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t x, std::size_t y) { return rest[x] > rest[y]; });
  for (std::size_t i = 0; given < units_per_one && i < m; ++i, ++given) ++units[order[i]];
  while (!genodrop_accepts(units)) {
    const auto largest = std::max_element(units.begin(), units.end() - 1);
    --*largest;
    ++units.back();
  }
  return units;
}

}  // namespace map2chrom
