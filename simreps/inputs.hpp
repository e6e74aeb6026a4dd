// What every replicate of a study shares: the chromosomes, the numbered pedigree and the trait
// model, read once, and the names under which the SOLAR files show markers and individuals.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "genodrop/drop_plan.hpp"
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
  // What genodrop's draws on this map depend on (crossover chances, founder buckets).
  genodrop::MapDraws map;
};

// The files' own limits (common/formats/study_files.hpp), which bound a study.
constexpr std::int32_t most_individuals = formats::max_numbered_individuals;
constexpr std::int32_t most_loci = formats::max_genotype_loci;
constexpr genodrop::Limits file_limits = genodrop::file_limits;

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

  // genodrop's plan of the drop, which follows from the pedigree alone: the founders' rows in
  // file order, every meiosis in the order genodrop's offspring passes make them.
  genodrop::DropPlan plan;

  // Every marker of the study in chromosome order: its chromosome and its position on it.
  std::vector<std::size_t> marker_chromosomes;
  std::vector<std::int32_t> marker_columns;

  const Chromosome& first() const { return *chromosomes.front(); }
  // The most loci of one chromosome: the stride of every chromosome's tables.
  std::int32_t stride_loci() const {
    std::int32_t most = 0;
    for (const auto& c : chromosomes) most = std::max(most, c->loci.count);
    return most;
  }
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
// refused too. `limits` are genodrop's readers' (its tables by default; a study beyond them
// gives the files' own). Returns the refusal, if any.
outcome::Outcome read_inputs(const std::string& work, Inputs& inputs,
                             const std::vector<std::string>& chromosomes = {"chromosome.wrk"},
                             const std::vector<std::string>& shown = {"chromosome.wrk"},
                             const genodrop::Limits& limits = {});

}  // namespace simreps
