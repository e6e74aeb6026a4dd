#include "simreps/replicate.hpp"

#include "common/random/random.hpp"
#include "genodrop/founders.hpp"
#include "traitsim/model.hpp"

namespace simreps {
namespace {

outcome::Outcome step(const char* program, const std::string& text) {
  return outcome::stop(std::string(program) + ": " + text);
}

// genodrop's draws, from the numbers of its stream in the order genodrop takes them: every
// founder's two haplotypes (model_founders), then the meioses in the order of the offspring
// passes, each starting on haplotype 1 and switching where a number falls at or below the
// crossover chance (model_hap).
void drop_genes(const Inputs& inputs, const Chromosome& chromosome, const float* u, genodrop::Genotypes& genotypes,
                genodrop::Gent& gent, bool keep) {
  const genodrop::Locides& loci = chromosome.loci;
  const std::int32_t count = loci.count;
  auto& alleles = genotypes.alleles;
  auto& deviates = gent.deviates;
  for (const std::int32_t i : inputs.founders) {
    const int population = inputs.pedigree.records[i].race - 1;
    for (int side = 0; side < genodrop::sides; ++side) {
      for (std::int32_t j = 0; j < count; ++j, ++u) {
        const float* cumulative = loci.cumulative[j][population].data();
        const std::int32_t last = loci.alleles[j];
        std::int32_t allele;
        if (loci.ascending[j][population]) {
          // The allele is 1 plus the number of cumulative frequencies of alleles 1..m-1 below
          // u; those below the bucket's smallest deviate are counted already.
          allele = chromosome.bucket_alleles[static_cast<std::size_t>(j)][population]
                                            [static_cast<int>(*u * Chromosome::buckets)];
          while (allele < last && cumulative[allele - 1] < *u) ++allele;
        } else {
          allele = genodrop::founder_allele(std::span(cumulative, static_cast<std::size_t>(last)), false, *u);
        }
        alleles[i][side][j] = static_cast<std::int16_t>(allele);
        if (keep) deviates[i][side][j] = *u;
      }
    }
  }
  const float* chance = chromosome.chances.data();
  for (const Inputs::Meiosis& m : inputs.meioses) {
    const auto& from = alleles[m.parent];
    auto& to = alleles[m.child][m.side];
    auto& drawn = deviates[m.child][m.side];
    int source = 0;
    for (std::int32_t j = 0; j < count; ++j, ++u) {
      if (*u <= chance[j]) source ^= 1;
      to[j] = from[source][j];
      if (keep) drawn[j] = *u;
    }
  }
}

// The genotypic values as traitsim computes them from the QTL genotype file, whose lines
// hold the trait loci of each individual chromosome by chromosome, each in its order. Checks the alleles as
// traitsim's reader does, line by line.
outcome::Outcome add_genetic(const Inputs& inputs, Replicate& replicate) {
  const traitsim::Locides& model = inputs.model;
  traitsim::Genotypes& trait = replicate.trait;
  trait.n = inputs.pedigree.count;
  for (std::int32_t k = 0; k < trait.n; ++k) {
    std::int32_t first_bad = -1, bad_allele = 0;
    for (std::int32_t b = 0; b < model.nqtl; ++b) {
      const Inputs::TraitLocus& at = inputs.trait_loci[static_cast<std::size_t>(b)];
      const auto& alleles = replicate.genotypes_of(at.chromosome).alleles[k];
      for (int i = 0; i < 2; ++i) {
        const std::int32_t allele = alleles[i][at.locus];
        if (model.nmatches[b] > 0 && (allele < 1 || allele > traitsim::max_alleles) && first_bad < 0) {
          first_bad = b;
          bad_allele = allele;
        }
        trait.alleles[b][i] = static_cast<std::int8_t>(allele);
      }
    }
    // The names line is line 2 of qtl.wrk, so individual k stands on line k + 3.
    if (first_bad >= 0)
      return outcome::stop("allele " + std::to_string(bad_allele) + " outside 1.." +
                           std::to_string(traitsim::max_alleles) + " at locus " +
                           std::string(model.qtl_names[first_bad].trimmed()) + " in qtl.wrk, line " +
                           std::to_string(k + 3));
    trait.phenotypes[k] = 0.0f;
    traitsim::add_genotypic_value(model, trait, k);
    replicate.genetic[k] = trait.phenotypes[k];
  }
  return std::nullopt;
}

// traitsim's environment from the numbers of its stream: per individual twelve uniforms summed
// in single precision, minus 6, times sigma (add_environment and pnormrnd), each step rounded
// on its own (this file is built without fused multiply-adds).
void add_environment(const Inputs& inputs, const float* u, Replicate& replicate) {
  traitsim::Genotypes& trait = replicate.trait;
  const float sigma = inputs.model.sigma;
  for (std::int32_t q = 0; q < trait.n; ++q) {
    float s = 0.0f;
    for (int i = 0; i < 12; ++i) s = s + *u++;
    const float z = s - 6.0f;
    const float t = z * sigma;
    trait.phenotypes[q] = trait.phenotypes[q] + t;
  }
}

}  // namespace

Seeds seeds_of(std::int32_t first_seed, std::int64_t replicate, std::int64_t chromosomes) {
  const auto genotypes = static_cast<std::int32_t>(first_seed + (chromosomes + 1) * (replicate - 1));
  return {genotypes, static_cast<std::int32_t>(genotypes + chromosomes)};
}

void start_stream(std::int32_t seed) {
  ranlux::rluxgo(4, seed, 0, 0);
  float thrown[discarded_numbers];
  ranlux::ranlux(thrown);
}

outcome::Outcome make_replicate(const Inputs& inputs, Seeds seeds, Replicate& replicate) {
  // Each stream's numbers are drawn in one call, as many as the replicate takes: the same
  // numbers one call per number would give.
  std::int64_t most = 12 * static_cast<std::int64_t>(inputs.pedigree.count);
  for (const auto& chromosome : inputs.chromosomes) most = std::max(most, chromosome->genotype_numbers);
  replicate.numbers.resize(static_cast<std::size_t>(most));
  std::span<float> numbers(replicate.numbers);
  while (replicate.more.size() + 1 < inputs.chromosomes.size())
    replicate.more.push_back(std::make_unique<Replicate::Tables>());

  // Chromosome c (from 0) draws from the stream seeded c after the first chromosome's.
  for (std::size_t c = 0; c < inputs.chromosomes.size(); ++c) {
    const Chromosome& chromosome = *inputs.chromosomes[c];
    start_stream(static_cast<std::int32_t>(seeds.genotypes + static_cast<std::int32_t>(c)));
    ranlux::ranlux(numbers.first(static_cast<std::size_t>(chromosome.genotype_numbers)));
    drop_genes(inputs, chromosome, numbers.data(), replicate.genotypes_of(c), replicate.gent_of(c),
               replicate.keep_deviates);
  }

  if (auto problem = add_genetic(inputs, replicate)) return step("traitsim", problem->text);
  start_stream(seeds.trait);
  ranlux::ranlux(numbers.first(12 * static_cast<std::size_t>(inputs.pedigree.count)));
  add_environment(inputs, numbers.data(), replicate);
  if (const std::int32_t q = traitsim::first_non_finite(replicate.trait); q >= 0)
    return step("traitsim", traitsim::non_finite_phenotype(q, "model.wrk"));
  return std::nullopt;
}

}  // namespace simreps
