#include "xp-loci/map_order.hpp"

#include <cstdio>

namespace xploci {

std::vector<std::string> decreasing_positions(const Locides& locides) {
  std::vector<std::string> warnings;
  for (std::int32_t k = 1; k < locides.count; ++k) {
    if (!(locides.positions[k] < locides.positions[k - 1])) continue;
    const std::string before(locides.names[k - 1].trimmed()), after(locides.names[k].trimmed());
    const char* layout = "locus %s (%.3f cM) stands below the locus before it, %s (%.3f cM); "
                         "positions may not decrease along the chromosome";
    const auto here = static_cast<double>(locides.positions[k]);
    const auto there = static_cast<double>(locides.positions[k - 1]);
    std::string text(static_cast<std::size_t>(std::snprintf(nullptr, 0, layout, after.c_str(), here, before.c_str(), there)), '\0');
    std::snprintf(text.data(), text.size() + 1, layout, after.c_str(), here, before.c_str(), there);
    warnings.push_back(std::move(text));
  }
  return warnings;
}

}  // namespace xploci
