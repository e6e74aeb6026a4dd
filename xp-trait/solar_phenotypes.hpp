// The SOLAR phenotype file: a header "id,QT" and one line per individual with its identifier
// and its trait value, joining the numbered pedigree and the phenotype file by position.
#pragma once

#include <string_view>

#include "item_stream.hpp"
#include "output_file.hpp"

namespace xptrait {

// One input of the join: its items and its name for messages.
struct Input {
  freeform::ItemStream& items;
  std::string_view name;
};

// Reads the first lines of `phenotypes` and `pedigree`, then, for each of the N individuals
// the phenotype file counts, the pedigree record's identifier and the value, and writes the
// SOLAR phenotype file to `out` as it goes. Pedigree records after the N-th are not read.
// Returns the first problem found in an input (the output is then incomplete), or an empty
// Problem.
freeform::Problem write_solar_phenotypes(Input phenotypes, Input pedigree, freeform::OutputFile& out);

}  // namespace xptrait
