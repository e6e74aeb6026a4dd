// genodrop refuses a chromosome whose map positions decrease, but only in a meiosis; the map
// xp-loci writes from the same file is taken by SOLAR as it stands.
#pragma once

#include <string>
#include <vector>

#include "xp-loci/locides.hpp"

namespace xploci {

// One warning (without the program's name and the line end) for each locus whose position is
// below that of the locus before it, naming both.
std::vector<std::string> decreasing_positions(const Locides& locides);

}  // namespace xploci
