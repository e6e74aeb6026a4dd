// What every replicate of a study shares: the chromosome, the numbered pedigree and the trait
// model, read once, and the names under which the SOLAR files show markers and individuals.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "genodrop/tables.hpp"
#include "traitsim/tables.hpp"

namespace simreps {

struct Inputs {
  genodrop::Locides loci;
  genodrop::Pedigree pedigree;
  traitsim::Locides model;
  // Positions (0-based, in chromosome order) of the trait loci, which extract cuts into the
  // QTL genotype file, and of the markers, which go to the SOLAR marker file.
  std::vector<std::int32_t> trait_loci;
  std::vector<std::int32_t> marker_loci;
  // The marker names and the identifiers of the numbered pedigree as xp-geno and xp-trait
  // take them: blank-separated items.
  std::vector<std::string> marker_names;
  std::vector<std::string> ids;
};

// Reads the chain's working copies in the folder `work`: chromosome.wrk, pe2.wrk (famorder's
// numbered pedigree) and model.wrk, into `inputs`. The suite's programs have already run on
// these files (a trial run of the chain), so the programs' own refusals are behind us; what is
// left to refuse here are inputs on which writing the SOLAR files straight from the tables
// would not give what xp-geno makes of them: a marker name that is not one item, or a marker
// with 100 alleles or more (a three-digit second allele runs into the first in the genotype
// file). Returns an empty text, or the refusal.
std::string read_inputs(const std::string& work, Inputs& inputs);

}  // namespace simreps
