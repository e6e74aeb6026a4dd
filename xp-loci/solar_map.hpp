// Writes the SOLAR map file: the number 10, then name and position of every marker locus.
#pragma once

#include "common/records/records.hpp"
#include "xp-loci/locides.hpp"

namespace xploci {

// True when the 12-character `name` marks a trait locus: it holds "qtl" in lower case
// anywhere. Such loci are simulated, not typed, so they have no place in the map.
bool is_trait_locus(const records::Text<12>& name);

// Writes the map file `name` from `locides`: the line "(i5)" with 10, then one "(a12,f9.3)"
// line per locus that is not a trait locus, in table order. A file that cannot be written
// ends the run through the record layer's diagnostic.
void write_solar_map(const records::Text<255>& name, const Locides& locides);

}  // namespace xploci
