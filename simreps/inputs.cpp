#include "simreps/inputs.hpp"

#include <array>
#include <cstdio>

#include "common/freeform/numbered_ids.hpp"
#include "extract/genotype_file.hpp"
#include "genodrop/chromosome.hpp"
#include "genodrop/pedigree.hpp"
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
outcome::Outcome read_ids(const std::string& name, std::int32_t count, std::vector<std::string>& ids) {
  std::FILE* file = std::fopen(name.c_str(), "r");
  if (file == nullptr) return outcome::stop("cannot open " + name);
  freeform::ItemStream items(file);
  outcome::Outcome problem = freeform::skip_pedigree_header(items, name);
  char id[256];
  for (std::int32_t k = 1; k <= count && !problem; ++k) {
    std::size_t length = 0;
    problem = freeform::read_identifier(items, name, k, id, length);
    ids.emplace_back(id, length);
  }
  std::fclose(file);
  return problem;
}

// The trait loci and markers of `chromosome` (shown to the user as `shown`).
outcome::Outcome sort_loci(Chromosome& chromosome, const std::string& shown) {
  const genodrop::Locides& loci = chromosome.loci;
  for (std::int32_t j = 0; j < loci.count; ++j) {
    const std::string_view name = loci.names[j].view();
    if (extract::is_trait_locus(name)) {
      chromosome.trait_loci.push_back(j);
      continue;
    }
    chromosome.marker_loci.push_back(j);
    const auto items = items_of(name);
    if (items.size() != 1)
      return outcome::stop("the marker name \"" + std::string(name) + "\" (locus " + std::to_string(j + 1) +
                           " of " + shown + ") is not one item: xp-geno would take the names and alleles "
                           "after it in the wrong places");
    chromosome.marker_names.push_back(items[0]);
    if (loci.alleles[j] > 99)
      return outcome::stop("marker " + items[0] + " has " + std::to_string(loci.alleles[j]) +
                           " alleles: in the genotype file a second allele of three digits runs into the "
                           "first, and xp-geno would misread them (at most 99 alleles per marker)");
  }
  return std::nullopt;
}

// A locus name (blanks around it aside) on two chromosomes would make the trait and the
// markers ambiguous across the study.
outcome::Outcome refuse_shared_names(const Inputs& inputs, const std::vector<std::string>& shown) {
  for (std::size_t a = 0; a < inputs.chromosomes.size(); ++a)
    for (std::size_t b = a + 1; b < inputs.chromosomes.size(); ++b) {
      const genodrop::Locides& x = inputs.chromosomes[a]->loci;
      const genodrop::Locides& y = inputs.chromosomes[b]->loci;
      for (std::int32_t i = 0; i < x.count; ++i)
        for (std::int32_t j = 0; j < y.count; ++j)
          if (x.names[i].trimmed() == y.names[j].trimmed())
            return outcome::stop("the locus name \"" + std::string(x.names[i].trimmed()) + "\" stands in " +
                                 shown[a] + " and in " + shown[b] +
                                 "; the loci of a study's chromosomes need names of their own");
    }
  return std::nullopt;
}

}  // namespace

outcome::Outcome read_inputs(const std::string& work, Inputs& inputs, const std::vector<std::string>& chromosomes,
                             const std::vector<std::string>& shown, const genodrop::Limits& limits) {
  const std::string pedigree = work + "/pe2.wrk", model = work + "/model.wrk";
  for (const std::string& name : chromosomes) {
    auto chromosome = std::make_unique<Chromosome>();
    if (auto stop = genodrop::read_chromosome(work + "/" + name, chromosome->loci, limits)) return stop;
    inputs.chromosomes.push_back(std::move(chromosome));
  }
  if (auto stop = genodrop::read_pedigree(pedigree, inputs.pedigree, limits)) return stop;
  if (auto stop = traitsim::read_model(model, inputs.model)) return stop;
  if (auto problem = refuse_shared_names(inputs, shown)) return problem;
  for (std::size_t c = 0; c < inputs.chromosomes.size(); ++c)
    if (auto problem = sort_loci(*inputs.chromosomes[c], shown[c])) return problem;

  for (std::size_t c = 0; c < inputs.chromosomes.size(); ++c)
    for (const std::int32_t j : inputs.chromosomes[c]->marker_loci) {
      inputs.marker_chromosomes.push_back(c);
      inputs.marker_columns.push_back(j);
    }
  // The QTL genotype file names the trait loci chromosome by chromosome, each in its order;
  // traitsim matches the model to those names.
  traitsim::Locides& trait = inputs.model;
  for (std::size_t c = 0; c < inputs.chromosomes.size(); ++c)
    for (const std::int32_t j : inputs.chromosomes[c]->trait_loci) inputs.trait_loci.push_back({c, j});
  if (inputs.trait_loci.size() > static_cast<std::size_t>(traitsim::max_qtl_loci))
    return outcome::stop("the chromosome files hold " + std::to_string(inputs.trait_loci.size()) +
                         " trait loci; traitsim reads at most " + std::to_string(traitsim::max_qtl_loci));
  trait.nqtl = static_cast<std::int32_t>(inputs.trait_loci.size());
  for (std::int32_t b = 0; b < trait.nqtl; ++b) {
    const Inputs::TraitLocus& at = inputs.trait_loci[static_cast<std::size_t>(b)];
    trait.qtl_names[b] = inputs.chromosomes[at.chromosome]->loci.names[at.locus];
  }
  traitsim::match_loci(trait);
  // genodrop names the pedigree as the chain gives it to it.
  if (auto problem = genodrop::plan_drop(inputs.pedigree, "pe2.wrk", inputs.plan)) return problem;
  for (auto& chromosome : inputs.chromosomes) {
    chromosome->map = genodrop::prepare_map(chromosome->loci);
    if (auto problem = genodrop::check_marker_order(inputs.plan, chromosome->map)) return problem;
  }
  return read_ids(pedigree, inputs.pedigree.count, inputs.ids);
}

}  // namespace simreps
