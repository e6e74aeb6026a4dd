// The SOLAR phenotype file: a header "id,QT" and one line per individual with its identifier
// and its trait value, joining the numbered pedigree and the phenotype file by position.
#pragma once

#include <string_view>

#include "common/files/output_file.hpp"
#include "common/freeform/item_stream.hpp"
#include "common/outcome/outcome.hpp"

namespace xptrait {

// One input of the join: its items and its name for messages.
struct Input {
  freeform::ItemStream& items;
  std::string_view name;
};

// Reads the first lines of `phenotypes` and `pedigree`, then, for each of the N individuals
// the phenotype file counts, the pedigree record's identifier and the value, and writes the
// SOLAR phenotype file to `out` as it goes. Pedigree records after the N-th are not read.
// Returns a stop with the first fault found in an input (the output is then incomplete), or
// nothing.
outcome::Outcome write_solar_phenotypes(Input phenotypes, Input pedigree, files::OutputFile& out);

}  // namespace xptrait
