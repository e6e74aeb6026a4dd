// The PLINK 1 binary file set of a data set: .fam, .bim and a SNP-major .bed. A .bed holds
// two alleles a marker, so the set holds the markers of exactly two alleles (biallelic()).
//
// .bim names allele 2 first and allele 1 second (A1 = 2, A2 = 1), as PLINK's own import of
// the VCF would: PLINK 2 takes the second as the reference, which is then allele 1, the VCF's
// REF, in both files.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/field_formats/layout.hpp"

namespace field_formats {

// Appends the .fam: family, id, father, mother, sex (1, 2, else 0), the trait from `traits`
// (-9 when there are none), one individual a line in the layout's order.
void render_fam(const Layout& layout, Traits traits, std::string& out);

// Appends the .bim of the markers `kept`: chromosome, name, cM, position, "2", "1".
void render_bim(const Layout& layout, const std::vector<std::size_t>& kept, std::string& out);

// Appends the .bed of the markers `kept`: the magic bytes 6c 1b 01, then per marker the
// individuals' genotypes in two bits each, four to a byte from the low bits up (00 allele 2
// twice, 10 both, 11 allele 1 twice, 01 missing: an allele other than 1 or 2).
void render_bed(const Layout& layout, const Alleles& alleles, const std::vector<std::size_t>& kept,
                std::string& out);

}  // namespace field_formats
