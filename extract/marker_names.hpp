// Marker names that xp-geno will not be able to read back from the marker file. xp-geno reads
// the names line as blank-separated words, while the genotype layout gives each name 12
// columns: a name that fills all 12 runs into the next one, a blank inside a name splits it,
// an empty name is no word at all, and a comma would split the SOLAR file's column.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "extract/genotype_file.hpp"

namespace extract {

// Longest marker name that xp-geno can take from a file in the genotype layout.
constexpr std::size_t marker_name_chars = cell_width - 1;

// One warning line (without its line end, beginning "extract: ") for each marker name holding
// "qtl" in another letter case ("QTL1"), which goes to the marker file as a marker, and
// one warning line (without its line end, beginning "extract: ") for each marker name of the
// marker file `marker_name` that holds the loci at `positions` of `file`, in file order, that
// xp-geno will not be able to read. Empty when every name reads back.
std::vector<std::string> marker_name_warnings(const GenotypeFile& file,
                                              std::span<const std::int32_t> positions,
                                              std::string_view marker_name);

}  // namespace extract
