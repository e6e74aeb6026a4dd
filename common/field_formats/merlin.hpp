// Merlin's files of a data set: the pedigree (.ped), which names the trait and markers in the
// order of the data file (.dat), and the map (.map). Markers go in with all their alleles.
#pragma once

#include <string>

#include "common/field_formats/layout.hpp"

namespace field_formats {

// The trait's name in the data file, as the SOLAR phenotype file names it.
constexpr const char* merlin_trait = "QT";

// Appends the .ped: family, id, father, mother (0 for none), sex (1, 2, else 0), the trait
// from `traits` (x when there are none), then each marker's paternal and maternal allele (0 when missing), one
// individual a line, fields separated by blanks.
void render_merlin_ped(const Layout& layout, const Alleles& alleles, Traits traits, std::string& out);

// Appends the .dat: "T QT", then "M name" per marker.
void render_merlin_dat(const Layout& layout, std::string& out);

// Appends the .map: the header "CHROMOSOME MARKER POSITION", then the chromosome, the name and
// the position in cM of each marker.
void render_merlin_map(const Layout& layout, std::string& out);

}  // namespace field_formats
