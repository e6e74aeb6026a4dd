#include "genodrop/stop_details.hpp"

#include <algorithm>
#include <cstdio>

#include "genodrop/meiosis.hpp"

namespace genodrop {

void explain_frequencies(const Name& marker, int population, std::span<const float> cumulative) {
  const std::string name(marker.trimmed());
  const std::size_t m = cumulative.size();
  // The accumulation stops at the first running sum below 0, else fails on the total.
  for (std::size_t a = 0; a + 2 < m; ++a) {
    if (cumulative[a] < 0.0f && a == 0) {
      std::fprintf(stderr,
                   "genodrop: marker %s, population %d: the frequency of allele 1 is %.6g, "
                   "below 0\n",
                   name.c_str(), population, static_cast<double>(cumulative[a]));
      return;
    }
    if (cumulative[a] < 0.0f) {
      std::fprintf(stderr,
                   "genodrop: marker %s, population %d: the frequencies of alleles 1 to %zu add "
                   "up to %.6g, below 0\n",
                   name.c_str(), population, a + 1, static_cast<double>(cumulative[a]));
      return;
    }
  }
  const double total = m > 1 ? static_cast<double>(cumulative[m - 2]) : 0.0;
  std::fprintf(stderr,
               "genodrop: marker %s, population %d: the listed frequencies add up to %.6g, "
               "more than 1\n",
               name.c_str(), population, total);
}

std::string marker_order_detail(const Locides& locides) {
  for (std::int32_t j = 1; j < locides.count; ++j) {
    if (crossover_chance(locides.positions[j - 1], locides.positions[j])) continue;
    const std::string before(locides.names[j - 1].trimmed()), after(locides.names[j].trimmed());
    char line[160];
    std::snprintf(line, sizeof line, "genodrop: locus %s (%.3f cM) stands below the locus before it, %s (%.3f cM)",
                  after.c_str(), static_cast<double>(locides.positions[j]), before.c_str(),
                  static_cast<double>(locides.positions[j - 1]));
    return line;
  }
  return {};
}

void explain_marker_order(const Locides& locides) {
  const std::string line = marker_order_detail(locides);
  if (!line.empty()) std::fprintf(stderr, "%s\n", line.c_str());
}

std::string raw_id(const Pedigree& pedigree, std::int32_t row) {
  std::string_view id = pedigree.names[row].trimmed();
  id.remove_prefix(std::min(id.find_first_not_of(' '), id.size()));
  if (id.empty()) return {};
  return " (id " + std::string(id) + ")";
}

}  // namespace genodrop
