#include "xp-loci/map_order.hpp"

#include <cstdio>
#include <string>

namespace xploci {

void warn_decreasing_positions(const Locides& locides) {
  for (std::int32_t k = 1; k < locides.count; ++k) {
    if (!(locides.positions[k] < locides.positions[k - 1])) continue;
    const std::string before(locides.names[k - 1].trimmed()), after(locides.names[k].trimmed());
    std::fprintf(stderr,
                 "xp-loci: locus %s (%.3f cM) stands below the locus before it, %s (%.3f cM); "
                 "positions may not decrease along the chromosome\n",
                 after.c_str(), static_cast<double>(locides.positions[k]), before.c_str(),
                 static_cast<double>(locides.positions[k - 1]));
  }
}

}  // namespace xploci
