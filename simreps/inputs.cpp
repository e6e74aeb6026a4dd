#include "inputs.hpp"

#include <cstdio>

#include "extract/genotype_file.hpp"
#include "genodrop/chromosome.hpp"
#include "genodrop/pedigree.hpp"
#include "numbered_ids.hpp"
#include "traitsim/model.hpp"
#include "traitsim/model_file.hpp"

namespace simreps {
namespace {

bool separates(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The items of a 12-column locus name.
std::vector<std::string> items_of(std::string_view name) {
  std::vector<std::string> items;
  std::size_t i = 0;
  while (i < name.size()) {
    while (i < name.size() && separates(name[i])) ++i;
    const std::size_t start = i;
    while (i < name.size() && !separates(name[i])) ++i;
    if (i > start) items.emplace_back(name.substr(start, i - start));
  }
  return items;
}

// The identifiers exactly as xp-geno and xp-trait read them, with their reader.
std::string read_ids(const std::string& name, std::int32_t count, std::vector<std::string>& ids) {
  std::FILE* file = std::fopen(name.c_str(), "r");
  if (file == nullptr) return "cannot open " + name;
  freeform::ItemStream items(file);
  std::string problem = freeform::skip_pedigree_header(items, name);
  char id[256];
  for (std::int32_t k = 1; k <= count && problem.empty(); ++k) {
    std::size_t length = 0;
    problem = freeform::read_identifier(items, name, k, id, length);
    ids.emplace_back(id, length);
  }
  std::fclose(file);
  return problem;
}

}  // namespace

std::string read_inputs(const std::string& work, Inputs& inputs) {
  const std::string chromosome = work + "/chromosome.wrk", pedigree = work + "/pe2.wrk",
                    model = work + "/model.wrk";
  if (auto stop = genodrop::read_chromosome(chromosome, inputs.loci)) return stop->text;
  if (auto stop = genodrop::read_pedigree(pedigree, inputs.pedigree)) return stop->text;
  if (auto problem = traitsim::read_model(model, inputs.model); !problem.empty()) return problem;

  const genodrop::Locides& loci = inputs.loci;
  for (std::int32_t j = 0; j < loci.count; ++j) {
    const std::string_view name = loci.names[j].view();
    if (extract::is_trait_locus(name)) {
      inputs.trait_loci.push_back(j);
      continue;
    }
    inputs.marker_loci.push_back(j);
    const auto items = items_of(name);
    if (items.size() != 1)
      return "the marker name \"" + std::string(name) + "\" (locus " + std::to_string(j + 1) +
             " of chromosome.wrk) is not one item: xp-geno would take the names and alleles "
             "after it in the wrong places";
    inputs.marker_names.push_back(items[0]);
    if (loci.alleles[j] > 99)
      return "marker " + items[0] + " has " + std::to_string(loci.alleles[j]) +
             " alleles: in the genotype file a second allele of three digits runs into the "
             "first, and xp-geno would misread them (at most 99 alleles per marker)";
  }
  // The QTL genotype file names the trait loci in chromosome order; traitsim matches the model
  // to those names.
  traitsim::Locides& trait = inputs.model;
  trait.nqtl = static_cast<std::int32_t>(inputs.trait_loci.size());
  for (std::int32_t b = 0; b < trait.nqtl; ++b) trait.qtl_names[b] = loci.names[inputs.trait_loci[b]];
  traitsim::match_loci(trait);
  return read_ids(pedigree, inputs.pedigree.count, inputs.ids);
}

}  // namespace simreps
