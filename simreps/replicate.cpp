#include "simreps/replicate.hpp"

#include "common/random/random.hpp"
#include "genodrop/gene_drop.hpp"
#include "traitsim/model.hpp"
#include "traitsim/qtl_file.hpp"

namespace simreps {
namespace {

outcome::Outcome step(const char* program, const std::string& text) {
  return outcome::stop(std::string(program) + ": " + text);
}

// The genotypic values as traitsim computes them from the QTL genotype file, whose lines
// hold the trait loci of each individual chromosome by chromosome, each in its order. Checks the alleles as
// traitsim's reader does, line by line.
outcome::Outcome add_genetic(const Inputs& inputs, Replicate& replicate) {
  const traitsim::Locides& model = inputs.model;
  traitsim::Genotypes& trait = replicate.trait;
  trait.n = inputs.pedigree.count;
  trait.phenotypes.assign(static_cast<std::size_t>(trait.n), 0.0f);
  replicate.genetic.resize(static_cast<std::size_t>(trait.n));
  for (std::int32_t k = 0; k < trait.n; ++k) {
    std::int32_t first_bad = -1, bad_allele = 0;
    for (std::int32_t b = 0; b < model.nqtl; ++b) {
      const Inputs::TraitLocus& at = inputs.trait_loci[static_cast<std::size_t>(b)];
      const auto& alleles = replicate.genotypes_of(at.chromosome).alleles;
      for (int i = 0; i < 2; ++i) {
        const std::int32_t allele = alleles(k, i)[static_cast<std::size_t>(at.locus)];
        if (!traitsim::allele_fits(model, b, allele) && first_bad < 0) {
          first_bad = b;
          bad_allele = allele;
        }
        trait.alleles[b][i] = static_cast<std::int8_t>(allele);
      }
    }
    // The names line is line 2 of qtl.wrk, so individual k stands on line k + 3.
    if (first_bad >= 0) return outcome::stop(traitsim::allele_outside(model, first_bad, bad_allele, "qtl.wrk", k + 3));
    traitsim::add_genotypic_value(model, trait, k);
    replicate.genetic[k] = trait.phenotypes[k];
  }
  return std::nullopt;
}

}  // namespace

void start_stream(std::int32_t seed) {
  ranlux::rluxgo(4, seed, 0, 0);
  float thrown[discarded_numbers];
  ranlux::ranlux(thrown);
}

std::size_t table_bytes(const Inputs& inputs, bool keep_deviates) {
  const std::int32_t n = inputs.pedigree.count, stride = inputs.stride_loci();
  const std::size_t one = genodrop::HaplotypeTable<std::int16_t>::bytes(n, stride) +
                          (keep_deviates ? genodrop::HaplotypeTable<float>::bytes(n, stride) : 0);
  return inputs.chromosomes.size() * one + 2 * sizeof(float) * static_cast<std::size_t>(n);
}

outcome::Outcome make_replicate(const Inputs& inputs, Seeds seeds, Replicate& replicate) {
  const std::int32_t n = inputs.pedigree.count, stride = inputs.stride_loci();
  if (replicate.chromosomes.size() != inputs.chromosomes.size()) {
    replicate.chromosomes.resize(inputs.chromosomes.size());
    for (std::size_t c = 0; c < inputs.chromosomes.size(); ++c) {
      const std::int32_t loci = inputs.chromosomes[c]->loci.count;
      replicate.chromosomes[c].genotypes.alleles = {n, loci, nullptr, stride};
      if (replicate.keep_deviates) replicate.chromosomes[c].gent.deviates = {n, loci, nullptr, stride};
    }
  }
  // Chromosome c (from 0) draws from the stream seeded c after the first chromosome's.
  for (std::size_t c = 0; c < inputs.chromosomes.size(); ++c) {
    const Chromosome& chromosome = *inputs.chromosomes[c];
    start_stream(static_cast<std::int32_t>(seeds.genotypes + static_cast<std::int32_t>(c)));
    genodrop::Gent* gent = replicate.keep_deviates ? &replicate.gent_of(c) : nullptr;
    genodrop::drop_founders(chromosome.loci, chromosome.map, inputs.pedigree, inputs.plan, replicate.genotypes_of(c), gent);
    genodrop::drop_meioses(chromosome.map, inputs.plan, replicate.genotypes_of(c), gent);
  }

  if (auto problem = add_genetic(inputs, replicate)) return step("traitsim", problem->text);
  start_stream(seeds.trait);
  traitsim::add_environment(inputs.model, replicate.trait);
  if (const std::int32_t q = traitsim::first_non_finite(replicate.trait); q >= 0)
    return step("traitsim", traitsim::non_finite_phenotype(q, "model.wrk"));
  return std::nullopt;
}

}  // namespace simreps
