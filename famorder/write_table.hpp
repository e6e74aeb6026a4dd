// owif: the numbered pedigree file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>

#include "famorder/orpd.hpp"
#include "famorder/table.hpp"

namespace famorder {

struct TooWide {
  std::size_t row = 0;
  Column column = Column::ped;
  std::int64_t value = 0;
};

// The first value of `table` (numbered by orpd), row by row and in column order, that its
// column cannot hold: more than 5 characters in the six 5-column fields or more than 12 in the
// identifier's. The fixed-column readers would take such a value apart, so it is refused
// rather than written. Returns nothing when every value fits.
std::optional<TooWide> find_too_wide(const PedTable& table);

// Writes the header (the record count and the constant 2, 5 columns each) and one line per
// record of `table` to `out`. Returns false when the stream reports a write error.
bool owif(std::FILE* out, const PedTable& table);

}  // namespace famorder
