// What a simulation was asked for: the numbered pedigree, the chromosome file and, when there
// is a trait, the model; read once and shared by every replicate of a study.
#pragma once

#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"

#include <array>
#include <utility>

#include "genodrop/tables.hpp"
#include "traitsim/tables.hpp"

namespace simcheck {

struct Inputs {
  genodrop::Locides loci;
  genodrop::Pedigree pedigree;
  bool has_model = false;
  traitsim::Locides model;
  // Expected frequency of allele a at locus j in population q: frequency[j][q][a-1].
  std::vector<std::vector<std::vector<double>>> frequency;
  // Haldane's recombination fraction between locus j-1 and j, as genodrop computes it (entry 0
  // is the first locus's one half, which picks the starting haplotype).
  std::vector<double> haldane;
  // Row of the father (side 0) and mother (side 1) of every non-founder; -1 for a founder.
  std::vector<std::array<int, 2>> parent;
  // The order in which genodrop draws: founders' haplotypes in file order, then the meioses
  // pass by pass, as (row, side).
  std::vector<std::pair<int, int>> draw_order;
};

// Reads the three inputs into `inputs` (the model only when `model` is not empty) and works
// out the derived tables. Returns the refusal, if any. Faults of reading the pedigree,
// chromosome or model file end the run in the record layer, as they do in genodrop and
// traitsim, which read them the same way.
outcome::Outcome read_inputs(const std::string& pedigree, const std::string& chromosome,
                             const std::string& model, Inputs& inputs);

// Numbers the raw pedigree `raw` into the numbered pedigree file `numbered`, as famorder does.
outcome::Outcome number_pedigree(const std::string& raw, const std::string& numbered);

}  // namespace simcheck
