// The SOLAR marker file: a header "id,<marker>,..." and one line per individual with its
// identifier and its allele pairs, joining the numbered pedigree and the marker genotype file
// by position.
#pragma once

#include <string_view>

#include "common/files/output_file.hpp"
#include "common/freeform/item_stream.hpp"
#include "common/outcome/outcome.hpp"

namespace xpgeno {

// One input of the join: its items and its name for messages.
struct Input {
  freeform::ItemStream& items;
  std::string_view name;
};

// Reads the first lines of `pedigree` and `markers`, then, for each of the N individuals the
// marker file counts, the pedigree record's identifier and the M allele pairs, and writes the
// SOLAR marker file to `out` as it goes. Pedigree records after the N-th are not read. Returns
// a stop with the first fault found in an input (the output is then incomplete), or
// nothing.
outcome::Outcome write_solar_markers(Input pedigree, Input markers, files::OutputFile& out);

}  // namespace xpgeno
