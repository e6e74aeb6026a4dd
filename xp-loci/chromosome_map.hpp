// Reads names and map positions from a chromosome file, under the record layouts the file
// itself carries on lines 9 and 10.
#pragma once

#include "common/outcome/outcome.hpp"
#include "common/records/records.hpp"
#include "xp-loci/locides.hpp"

namespace xploci {

// Reads the chromosome file `name` whole into `locides` and closes it. Each locus takes two
// lines: the first record, of which only name, allele count (not kept) and position are read,
// and the second record, stepped over as one line. Returns nothing, or a stop with "too many
// loci to model." before any locus record is read when the count is above `most` (max_loci
// unless the caller gives another limit); a count of 0 or less means no loci.
// Reading faults (a missing or short file, a field its layout cannot read, a malformed layout
// on line 9 or 10) end the run through the record layer's diagnostic.
outcome::Outcome read_chromosome_map(const records::Text<255>& name, Locides& locides,
                                     std::int32_t most = max_loci);

}  // namespace xploci
