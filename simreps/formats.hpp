// Which formats a study is written in, and what the formats other than SOLAR's share across
// its replicates: the markers with their positions and the individuals as those files name
// them, worked out once from the inputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/field_formats/layout.hpp"
#include "common/field_formats/vcf.hpp"
#include "common/outcome/outcome.hpp"
#include "simreps/inputs.hpp"
#include "simreps/replicate.hpp"

namespace simreps {

struct Formats {
  bool solar = true, vcf = false, plink = false, merlin = false;
  bool operator==(const Formats&) const = default;
};

constexpr const char* default_formats = "solar";
constexpr std::int64_t default_bp_per_cm = 1000000;

// Reads a comma-separated list of solar, vcf, plink and merlin (in any order, each at most
// once) into `formats`. Returns false for an empty list, an empty item or any other word.
bool parse_formats(const std::string& list, Formats& formats);

// The list in the order solar, vcf, plink, merlin: how a study records and shows it.
std::string formats_text(const Formats& formats);

// Whether the formats place the markers in base pairs (VCF and PLINK), so that the rate of
// base pairs per cM belongs to the study.
inline bool uses_bp(const Formats& formats) { return formats.vcf || formats.plink; }

struct FieldFiles {
  Formats formats;
  field_formats::Layout layout;        // the markers (not the trait loci) and the individuals
  std::vector<std::size_t> biallelic;  // the markers in the PLINK files
  field_formats::VcfHeader vcf_header;               // with VCF: the one header of every replicate's
  int vcf_level = field_formats::vcf_compression;  // BGZF's; the benchmark compares others
};

// Prepares `field` for `formats` from `inputs`: the markers of the chromosomes, named
// `chromosomes` in their order, at `bp_per_cm` base pairs per cM, the individuals in the numbered pedigree's
// order named by their SOLAR ids, families by famorder's pedigree numbers. Refuses a marker
// whose base-pair position VCF and PLINK cannot hold, and PLINK without a biallelic marker.
outcome::Outcome prepare_field_files(const Inputs& inputs, const Formats& formats, std::int64_t bp_per_cm,
                                     const std::vector<std::string>& chromosomes, FieldFiles& field);

// With VCF, makes the one header of every replicate's VCF from `field`'s layout, once its
// individuals have their final names.
outcome::Outcome make_vcf_header(FieldFiles& field);

// The names of the markers the PLINK files leave out, for the notice of a run.
std::vector<std::string> left_out_of_plink(const FieldFiles& field);

// The alleles of `replicate` at the markers of `inputs`, as the writers take them.
field_formats::Alleles alleles_of(const Inputs& inputs, const Replicate& replicate);

// The phenotypes of `replicate` as phen.sol shows them, into `traits`.
void traits_of(const Replicate& replicate, std::vector<double>& traits);

}  // namespace simreps
