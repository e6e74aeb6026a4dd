// The VCF of a data set, written through htslib: BGZF-compressed, with its CSI index built
// as the records are written.
//
// VCF 4.3, one sample per individual in the layout's order, one record per marker. Allele a
// of a marker is allele index a-1: REF is N (allele 1, whose base nobody simulated) and the
// ALT alleles are the symbolic <A2>, <A3>, ..., each declared by an ALT line of the header.
// Genotypes are phased, paternal allele first.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/field_formats/layout.hpp"
#include "common/outcome/outcome.hpp"

namespace field_formats {

// The compression level of the BGZF blocks: 1, the fastest that compresses. htslib deflates
// through libdeflate, and at 3000 individuals and 100 markers of 20 alleles deflating the 1.5 MB
// of text still takes about as long as the rest of the replicate; level 2 takes 1.6 to 1.8 times
// as long for files 2% smaller, level 0 (stored blocks) none of that time for files 3.2 times as
// large.
constexpr int vcf_compression = 1;

// The most alleles of a marker the VCF holds (simreps reads no marker of more).
constexpr std::int32_t max_vcf_alleles = 99;

// The header of a layout's VCFs but for their `Meta` lines, made once for all of them: with
// a sample for every individual, making it anew for every file took a tenth of a replicate.
class VcfHeader {
 public:
  // Makes the header of `layout`'s VCFs (its markers' positions set). Returns what failed.
  outcome::Outcome make(const Layout& layout);
  struct Parts;  // htslib's header and its text
  const Parts* parts() const { return parts_.get(); }

 private:
  std::shared_ptr<const Parts> parts_;
};

// Writes the VCF `path` (ending .vcf.gz) and its index `path`.csi from `layout` (its markers'
// positions set), the header made of it and `alleles`, with the header lines `meta`, its BGZF
// blocks at compression `level` (0 to 9). Returns what failed, naming the file.
outcome::Outcome write_vcf(const std::string& path, const VcfHeader& header, const Layout& layout,
                           const Alleles& alleles, const Meta& meta, int level = vcf_compression);

}  // namespace field_formats
