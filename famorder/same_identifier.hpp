// The last check before the numbered pedigree is written: no identifier may stand twice in
// its identifier column. xp-geno and xp-trait copy that column into the SOLAR marker and
// phenotype files, and SOLAR refuses a pedigree that names an individual twice; the numbering
// meets only some raw ids given twice, and none that meet the names of individuals without an
// id.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "famorder/table.hpp"

namespace famorder {

struct SameIdentifier {
  std::int32_t identifier = 0;
  std::int32_t first_line = 0;   // the file lines of the two records, first_line <= second_line
  std::int32_t second_line = 0;
};

// Looks at the identifier column (oldid) of `table`, numbered by orpd, with the file line of
// each record. Returns the identifier that stands twice whose second record comes first in the
// file, with the lines of its first two records; nothing when every identifier stands once.
std::optional<SameIdentifier> find_same_identifier(const PedTable& table);

// The console text for `same`, found in the raw pedigree file `infile`; line end included.
std::string same_identifier_message(const SameIdentifier& same, const std::string& infile);

}  // namespace famorder
