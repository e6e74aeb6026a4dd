#include "replicate.hpp"

#include "genodrop/completion.hpp"
#include "genodrop/founders.hpp"
#include "random.hpp"
#include "traitsim/model.hpp"

namespace simreps {
namespace {

std::string step(const char* program, const std::string& text) {
  return std::string(program) + ": " + text;
}

// The genotypic values as traitsim computes them from the QTL genotype file, whose lines
// hold the trait loci of each individual in chromosome order. Checks the alleles as
// traitsim's reader does, line by line.
std::string add_genetic(const Inputs& inputs, Replicate& replicate) {
  const traitsim::Locides& model = inputs.model;
  traitsim::Genotypes& trait = replicate.trait;
  trait.n = inputs.pedigree.count;
  for (std::int32_t k = 0; k < trait.n; ++k) {
    std::int32_t first_bad = -1, bad_allele = 0;
    for (std::int32_t b = 0; b < model.nqtl; ++b) {
      const std::int32_t j = inputs.trait_loci[static_cast<std::size_t>(b)];
      for (int i = 0; i < 2; ++i) {
        const std::int32_t allele = replicate.genotypes.alleles[k][i][j];
        if (model.nmatches[b] > 0 && (allele < 1 || allele > traitsim::kMaxAlleles) && first_bad < 0) {
          first_bad = b;
          bad_allele = allele;
        }
        trait.alleles[b][i] = static_cast<std::int8_t>(allele);
      }
    }
    // The names line is line 2 of qtl.wrk, so individual k stands on line k + 3.
    if (first_bad >= 0)
      return "allele " + std::to_string(bad_allele) + " outside 1.." +
             std::to_string(traitsim::kMaxAlleles) + " at locus " +
             std::string(model.qtl_names[first_bad].trimmed()) + " in qtl.wrk, line " +
             std::to_string(k + 3);
    trait.phenotypes[k] = 0.0f;
    traitsim::add_genotypic_value(model, trait, k);
    replicate.genetic[k] = trait.phenotypes[k];
  }
  return {};
}

}  // namespace

Seeds seeds_of(std::int32_t first_seed, std::int64_t replicate) {
  const auto genotypes = static_cast<std::int32_t>(first_seed + 2 * (replicate - 1));
  return {genotypes, genotypes + 1};
}

void start_stream(std::int32_t seed) {
  rluxgo(4, seed, 0, 0);
  float thrown[discarded_numbers];
  ranlux(thrown);
}

std::string make_replicate(const Inputs& inputs, Seeds seeds, Replicate& replicate) {
  genodrop::Pedigree& pedigree = replicate.pedigree;
  pedigree = inputs.pedigree;
  for (std::int32_t i = 0; i < pedigree.count; ++i) pedigree.pending[i] = {1, 1};

  start_stream(seeds.genotypes);
  genodrop::model_founders(inputs.loci, pedigree, replicate.genotypes, replicate.gent);
  if (auto stop = genodrop::complete_offspring(inputs.loci, pedigree, replicate.genotypes,
                                               replicate.gent, "pe2.wrk"))
    return step("genodrop", stop->text);

  if (auto problem = add_genetic(inputs, replicate); !problem.empty()) return step("traitsim", problem);
  start_stream(seeds.trait);
  traitsim::add_environment(inputs.model, replicate.trait);
  if (const std::int32_t q = traitsim::first_non_finite(replicate.trait); q >= 0)
    return step("traitsim", "phenotype of individual " + std::to_string(q + 1) +
                                " is not a finite number; see the values and sigma in model.wrk");
  return {};
}

}  // namespace simreps
