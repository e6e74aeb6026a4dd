// The two files fam2raw writes: the raw pedigree and, beside it, the map of its ids.
#pragma once

#include <string>
#include <vector>

#include "fam2raw/fam_table.hpp"
#include "fam2raw/raw_pedigree.hpp"

namespace fam2raw {

// The raw pedigree's text: descriptive line, count line, one line per record.
std::string raw_pedigree_text(const std::vector<RawRecord>& records);

// The id map's text: a header line, then per row its family, its id and its suite id,
// separated by tabs, in file order.
std::string id_map_text(const std::vector<FamRow>& rows, const std::vector<RawRecord>& records);

}  // namespace fam2raw
