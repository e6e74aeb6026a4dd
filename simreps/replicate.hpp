// One replicate of a study, made in memory: each chromosome's genotypes as genodrop makes them
// from a generator stream of its own, then the phenotypes as traitsim makes them from another.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "genodrop/tables.hpp"
#include "simreps/inputs.hpp"
#include "simreps/seeds.hpp"
#include "traitsim/tables.hpp"

namespace simreps {

// The numbers a freshly seeded stream throws away. Right after seeding, RANLUX delivers its
// first 24 numbers straight from the congruential fill of the seeding, and for seeds one apart
// those are shifted copies of each other; a weak trace of that remains in numbers 25 to 48.
constexpr int discarded_numbers = 48;

// Seeds the generator as the clock seeding does, RANLUX at level 4 (rluxgo(4, seed, 0, 0)),
// and throws away its first discarded_numbers numbers.
void start_stream(std::int32_t seed);

// The tables of one replicate, sized by the study (made once per worker and reused).
struct Replicate {
  // Each chromosome's genotypes and deviates, all of one stride (the longest chromosome's).
  struct Tables {
    genodrop::Genotypes genotypes;
    genodrop::Gent gent;
  };
  std::vector<Tables> chromosomes;
  genodrop::Genotypes& genotypes_of(std::size_t c) { return chromosomes[c].genotypes; }
  const genodrop::Genotypes& genotypes_of(std::size_t c) const { return chromosomes[c].genotypes; }
  genodrop::Gent& gent_of(std::size_t c) { return chromosomes[c].gent; }
  const genodrop::Gent& gent_of(std::size_t c) const { return chromosomes[c].gent; }
  traitsim::Genotypes trait;  // trait.phenotypes: the phenotypes
  // The genotypic value of each individual, before the environment is added.
  std::vector<float> genetic;
  // For the other formats' view of the alleles: each marker's table. Filled where the view
  // is made, from the tables above, hence mutable.
  mutable std::vector<const std::int16_t*> marker_tables;
  // Whether `gent` is filled: only genodrop's trace file and the tests need the deviates.
  bool keep_deviates = true;
};

// The bytes of a replicate's tables for `inputs` (genotypes, and deviates when kept).
std::size_t table_bytes(const Inputs& inputs, bool keep_deviates);

// Makes the replicate with seeds `seeds` from `inputs` into `replicate`. Returns the
// refusal of traitsim, if any, in its own words, after "traitsim: ": an allele of a model
// locus outside 1..10 (naming the line of qtl.wrk) or a phenotype that is not finite. The
// steps are genodrop's and traitsim's own, by genodrop's plan worked out once in `inputs`.
outcome::Outcome make_replicate(const Inputs& inputs, Seeds seeds, Replicate& replicate);

}  // namespace simreps
