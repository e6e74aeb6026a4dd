#include "simreps/formats.hpp"

#include <sstream>

#include "simreps/solar_text.hpp"

namespace simreps {

bool parse_formats(const std::string& list, Formats& formats) {
  formats = Formats{false, false, false, false};
  if (list.empty()) return false;
  std::istringstream items(list + ",");
  std::string item;
  while (std::getline(items, item, ',')) {
    bool* flag = item == "solar" ? &formats.solar : item == "vcf" ? &formats.vcf
               : item == "plink" ? &formats.plink : item == "merlin" ? &formats.merlin : nullptr;
    if (flag == nullptr || *flag) return false;
    *flag = true;
  }
  return true;
}

std::string formats_text(const Formats& formats) {
  std::string text;
  auto add = [&text](bool on, const char* name) {
    if (!on) return;
    if (!text.empty()) text += ',';
    text += name;
  };
  add(formats.solar, "solar");
  add(formats.vcf, "vcf");
  add(formats.plink, "plink");
  add(formats.merlin, "merlin");
  return text;
}

outcome::Outcome prepare_field_files(const Inputs& inputs, const Formats& formats, std::int64_t bp_per_cm,
                                     const std::vector<std::string>& chromosomes, FieldFiles& field) {
  field.formats = formats;
  field_formats::Layout& layout = field.layout;
  layout.chromosomes = chromosomes;
  layout.bp_per_cm = bp_per_cm;
  for (std::size_t c = 0; c < inputs.chromosomes.size(); ++c) {
    const Chromosome& chromosome = *inputs.chromosomes[c];
    for (std::size_t m = 0; m < chromosome.marker_loci.size(); ++m) {
      const std::int32_t j = chromosome.marker_loci[m];
      layout.markers.push_back({chromosome.marker_names[m], field_formats::cm_text(chromosome.loci.positions[j]),
                                chromosome.loci.alleles[j], 0, c});
    }
  }
  if (uses_bp(formats))
    if (auto refusal = field_formats::positions(layout)) return refusal;
  field.biallelic = field_formats::biallelic(layout);
  if (formats.plink && field.biallelic.empty())
    return outcome::stop("--formats plink: no marker of the chromosome file has exactly 2 alleles, and a PLINK "
                         ".bed holds only those; leave plink out, or add biallelic markers");

  // Parents are numbered within their family block of the numbered pedigree.
  const genodrop::Pedigree& pedigree = inputs.pedigree;
  for (std::int32_t b = 1; b <= pedigree.blocks; ++b) {
    const std::int32_t first = pedigree.block_ends[b - 1], end = pedigree.block_ends[b];
    for (std::int32_t i = first; i < end; ++i) {
      const auto& record = pedigree.records[i];
      auto parent = [&](std::int32_t number) -> std::string {
        const std::int32_t row = first + number - 1;
        return number > 0 && row < end ? inputs.ids[static_cast<std::size_t>(row)] : "0";
      };
      layout.individuals.push_back({std::to_string(record.family), inputs.ids[static_cast<std::size_t>(i)],
                                    parent(record.father), parent(record.mother), record.sex, {}});
    }
  }
  return std::nullopt;
}

outcome::Outcome make_vcf_header(FieldFiles& field) {
  return field.formats.vcf ? field.vcf_header.make(field.layout) : std::nullopt;
}

std::vector<std::string> left_out_of_plink(const FieldFiles& field) {
  std::vector<std::string> names;
  for (const auto& marker : field.layout.markers)
    if (marker.alleles != 2) names.push_back(marker.name);
  return names;
}

field_formats::Alleles alleles_of(const Inputs& inputs, const Replicate& replicate) {
  // Every chromosome's table has the one stride.
  const auto& alleles = replicate.genotypes_of(0).alleles;
  const auto stride = static_cast<std::size_t>(alleles.stride());
  field_formats::Alleles view{alleles.data(), genodrop::sides * stride, stride, inputs.marker_columns};
  if (inputs.chromosomes.size() > 1) {
    replicate.marker_tables.clear();
    for (const std::size_t c : inputs.marker_chromosomes)
      replicate.marker_tables.push_back(replicate.genotypes_of(c).alleles.data());
    view.tables = replicate.marker_tables;
  }
  return view;
}

void traits_of(const Replicate& replicate, std::vector<double>& traits) {
  traits.resize(static_cast<std::size_t>(replicate.trait.n));
  for (std::int32_t k = 0; k < replicate.trait.n; ++k)
    traits[static_cast<std::size_t>(k)] = through_phenotype_file(replicate.trait.phenotypes[k]);
}

}  // namespace simreps
