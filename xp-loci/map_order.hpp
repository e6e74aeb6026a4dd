// genodrop refuses a chromosome whose map positions decrease, but only in a meiosis; the map
// xp-loci writes from the same file is taken by SOLAR as it stands.
#pragma once

#include "xp-loci/locides.hpp"

namespace xploci {

// Writes one warning line on standard error for each locus whose position is below that of
// the locus before it, naming both.
void warn_decreasing_positions(const Locides& locides);

}  // namespace xploci
