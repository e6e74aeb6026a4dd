#include "simreps/format_files.hpp"

#include "common/field_formats/merlin.hpp"
#include "common/field_formats/plink.hpp"
#include "common/field_formats/vcf.hpp"
#include "simreps/durable.hpp"
#include "simreps/study.hpp"

namespace simreps {
namespace {

outcome::Outcome write_text(const std::string& folder, const char* name, const std::string& text, FileSums& sums) {
  if (auto failed = write_and_start_flush(folder + "/" + name, text)) return failed;
  sums.emplace_back(name, checksum_of_text(text));
  return std::nullopt;
}

// Where the VCF came from: enough to make it again.
field_formats::Meta meta_of(const FieldFiles& field, std::int32_t first_seed, std::int64_t r, Seeds seeds) {
  return {{"source", program_version},
          {"simreps_first_seed", std::to_string(first_seed)},
          {"simreps_replicate", std::to_string(r)},
          {"simreps_genotype_seed", std::to_string(seeds.genotypes)},
          {"simreps_trait_seed", std::to_string(seeds.trait)},
          {"simreps_bp_per_cm", std::to_string(field.layout.bp_per_cm)}};
}

}  // namespace

outcome::Outcome write_format_files(const FieldFiles& field, const Inputs& inputs, const Replicate& replicate,
                                    std::int32_t first_seed, std::int64_t r, Seeds seeds,
                                    const std::string& folder, FileSums& sums) {
  const field_formats::Layout& layout = field.layout;
  const field_formats::Alleles alleles = alleles_of(inputs, replicate);
  // The trait goes in PLINK's and Merlin's files, not in the VCF.
  std::vector<double> traits;
  if (field.formats.plink || field.formats.merlin) traits_of(replicate, traits);
  if (field.formats.vcf) {
    const std::string vcf = folder + "/genotypes.vcf.gz";
    if (auto failed =
            field_formats::write_vcf(vcf, field.vcf_header, layout, alleles, meta_of(field, first_seed, r, seeds),
                                     field.vcf_level))
      return failed;
    for (const char* name : {"genotypes.vcf.gz", "genotypes.vcf.gz.csi"}) {
      const auto sum = checksum_of(folder + "/" + name);
      if (!sum) return outcome::stop("cannot read back " + folder + "/" + name);
      sums.emplace_back(name, *sum);
    }
  }
  std::string text;
  if (field.formats.plink) {
    field_formats::render_bed(layout, alleles, field.biallelic, text);
    if (auto failed = write_text(folder, "plink.bed", text, sums)) return failed;
    text.clear();
    field_formats::render_bim(layout, field.biallelic, text);
    if (auto failed = write_text(folder, "plink.bim", text, sums)) return failed;
    text.clear();
    field_formats::render_fam(layout, traits, text);
    if (auto failed = write_text(folder, "plink.fam", text, sums)) return failed;
    text.clear();
  }
  if (field.formats.merlin) {
    field_formats::render_merlin_ped(layout, alleles, traits, text);
    if (auto failed = write_text(folder, "merlin.ped", text, sums)) return failed;
  }
  return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> study_format_files(const FieldFiles& field) {
  std::vector<std::pair<std::string, std::string>> files;
  if (!field.formats.merlin) return files;
  std::string text;
  field_formats::render_merlin_dat(field.layout, text);
  files.emplace_back("merlin.dat", text);
  text.clear();
  field_formats::render_merlin_map(field.layout, text);
  files.emplace_back("merlin.map", text);
  return files;
}

}  // namespace simreps
