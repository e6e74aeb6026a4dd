// The VCF of a data set, written through htslib: BGZF-compressed, with its CSI index built
// as the records are written.
//
// VCF 4.3, one sample per individual in the layout's order, one record per marker. Allele a
// of a marker is allele index a-1: REF is N (allele 1, whose base nobody simulated) and the
// ALT alleles are the symbolic <A2>, <A3>, ..., each declared by an ALT line of the header.
// Genotypes are phased, paternal allele first.
#pragma once

#include <cstdint>
#include <string>

#include "common/field_formats/layout.hpp"
#include "common/outcome/outcome.hpp"

namespace field_formats {

// The compression level of the BGZF blocks: the fastest, as most of a replicate's time would
// otherwise go to deflate; the files are some 20% larger than at the default level.
constexpr int vcf_compression = 1;

// The most alleles of a marker the VCF holds (simreps reads no marker of more).
constexpr std::int32_t max_vcf_alleles = 99;

// Writes the VCF `path` (ending .vcf.gz) and its index `path`.csi from `layout` (its markers'
// positions set) and `alleles`, with the header lines `meta`. Returns what failed, naming the file.
outcome::Outcome write_vcf(const std::string& path, const Layout& layout, const Alleles& alleles,
                           const Meta& meta);

}  // namespace field_formats
