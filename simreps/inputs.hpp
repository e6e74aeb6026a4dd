// What every replicate of a study shares: the chromosomes, the numbered pedigree and the trait
// model, read once, and the names under which the SOLAR files show markers and individuals.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "genodrop/tables.hpp"
#include "traitsim/tables.hpp"

namespace simreps {

// One chromosome of the study and what genodrop's draws on it depend on.
struct Chromosome {
  genodrop::Locides loci;
  // Positions (0-based, in chromosome order) of the trait loci, which extract cuts into the
  // QTL genotype file, and of the markers, which go to the SOLAR marker file.
  std::vector<std::int32_t> trait_loci;
  std::vector<std::int32_t> marker_loci;
  // The marker names as xp-geno takes them: blank-separated items.
  std::vector<std::string> marker_names;
  // The crossover chance before each locus (0.5 before the first, which picks the starting
  // haplotype).
  std::vector<float> chances;
  // The numbers of this chromosome's genotype stream that a replicate uses after the
  // thrown-away start.
  std::int64_t genotype_numbers = 0;
  // A founder's allele from its deviate u without a search: for each locus and population
  // whose cumulative frequencies never decrease, the allele of the smallest deviate of each
  // of `buckets` equal parts of (0, 1); the allele of u is then at most a step or two on.
  static constexpr int buckets = 256;
  std::vector<std::array<std::array<std::int16_t, buckets>, genodrop::populations>> bucket_alleles;
};

struct Inputs {
  // The study's chromosomes in command-line order; each is large, so held by pointer.
  std::vector<std::unique_ptr<Chromosome>> chromosomes;
  genodrop::Pedigree pedigree;
  // The model matched to the trait loci of all chromosomes, in chromosome order (chromosome
  // 1's in its order, then chromosome 2's ...): the QTL genotype file traitsim would read.
  traitsim::Locides model;
  // Trait locus b of that file: its chromosome (0-based) and its position on it.
  struct TraitLocus {
    std::size_t chromosome = 0;
    std::int32_t locus = 0;
  };
  std::vector<TraitLocus> trait_loci;
  // The identifiers of the numbered pedigree as xp-geno and xp-trait take them.
  std::vector<std::string> ids;
  // The columns the SOLAR marker and phenotype files give an individual before its values:
  // "id", or "famid,id" in a study that names individuals by a .fam's family and id (each of
  // `ids` then holds both, comma-separated).
  std::string id_columns = "id";

  // What genodrop's draws depend on besides the numbers and the chromosome, worked out once:
  // the founders' rows in file order, every meiosis in the order genodrop's offspring passes
  // make them (which follows from the pedigree alone).
  struct Meiosis {
    std::int32_t child = 0;
    std::int32_t side = 0;  // 0: the haplotype from the father, 1: from the mother
    std::int32_t parent = 0;
  };
  std::vector<std::int32_t> founders;
  std::vector<Meiosis> meioses;

  // Every marker of the study in chromosome order: its chromosome and its position on it.
  std::vector<std::size_t> marker_chromosomes;
  std::vector<std::int32_t> marker_columns;

  const Chromosome& first() const { return *chromosomes.front(); }
  std::size_t markers() const {
    std::size_t count = 0;
    for (const auto& c : chromosomes) count += c->marker_loci.size();
    return count;
  }
};

// Reads the chain's working copies in the folder `work`: chromosome.wrk, pe2.wrk (famorder's
// numbered pedigree) and model.wrk, into `inputs`. The suite's programs have already run on
// these files (a trial run of the chain), so the programs' own refusals are behind us; what is
// left to refuse here are inputs on which writing the SOLAR files straight from the tables
// would not give what xp-geno makes of them: a marker name that is not one item, or a marker
// with 100 alleles or more (a three-digit second allele runs into the first in the genotype
// file), or a pedigree or map on which genodrop would refuse to make all genotypes (which the
// trial run has already refused). With several chromosome files (`chromosomes`, the working
// copies' names, and `shown`, the files as given), a locus name that stands on two of them is
// refused too. Returns the refusal, if any.
outcome::Outcome read_inputs(const std::string& work, Inputs& inputs,
                             const std::vector<std::string>& chromosomes = {"chromosome.wrk"},
                             const std::vector<std::string>& shown = {"chromosome.wrk"});

}  // namespace simreps
