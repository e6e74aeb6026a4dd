// What a simulation was asked for: the numbered pedigree, the chromosome files and, when there
// is a trait, the model; read once and shared by every replicate of a study.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "extract/genotype_file.hpp"
#include "genodrop/tables.hpp"
#include "simcheck/simulation.hpp"
#include "traitsim/tables.hpp"

namespace simcheck {

// What simcheck reads: any study simreps runs, up to the limits of the files themselves rather
// than the programs' tables.
constexpr genodrop::Limits study_limits = genodrop::file_limits;

// One chromosome of the simulation: its loci and what its draws were asked to follow.
struct Chromosome {
  std::string name;  // as the report names it: "1", "2" ... or the study's own names
  std::string file;
  std::unique_ptr<genodrop::Locides> loci = std::make_unique<genodrop::Locides>();
  // Expected frequency of allele a at locus j in population q: frequency[j][q][a-1].
  std::vector<std::vector<std::vector<double>>> frequency;
  // Haldane's recombination fraction between locus j-1 and j, as genodrop computes it (entry 0
  // is the first locus's one half, which picks the starting haplotype).
  std::vector<double> haldane;
  std::int32_t count() const { return loci->count; }
  std::string locus_name(std::int32_t j) const { return std::string(loci->names[static_cast<std::size_t>(j)].trimmed()); }
};

struct Inputs {
  std::vector<Chromosome> chromosomes;  // in the study's order
  genodrop::Pedigree pedigree;
  bool has_model = false;
  traitsim::Locides model;
  // Row of the father (side 0) and mother (side 1) of every non-founder; -1 for a founder.
  std::vector<std::array<std::int32_t, 2>> parent;
  // The order in which genodrop draws: founders' haplotypes in file order, then the meioses
  // pass by pass, as (row, side).
  std::vector<std::pair<std::int32_t, int>> draw_order;
  std::int32_t loci() const {
    std::int32_t total = 0;
    for (const Chromosome& chromosome : chromosomes) total += chromosome.count();
    return total;
  }
};

// The files a check reads its inputs from; `model` empty: no trait.
struct InputFiles {
  std::string pedigree;
  std::vector<std::string> chromosomes, chromosome_names;
  std::string model;
};

// Reads the inputs into `inputs` and works out the derived tables. Returns the refusal, if
// any. Faults of reading the pedigree, chromosome or model file end the run in the record
// layer, as they do in genodrop and traitsim, which read them the same way.
outcome::Outcome read_inputs(const InputFiles& files, Inputs& inputs);

// Numbers the raw pedigree `raw` into the numbered pedigree file `numbered` with famorder's steps,
// up to the numbered pedigree's own limit of pedigrees rather than famorder's table.
outcome::Outcome number_pedigree(const std::string& raw, const std::string& numbered);

}  // namespace simcheck
