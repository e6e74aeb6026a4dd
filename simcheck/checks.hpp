// The counts simcheck gathers from one simulation, added up over the replicates of a study,
// and the faults it meets on the way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"

#include "simcheck/inputs.hpp"
#include "simcheck/simulation.hpp"

namespace simcheck {

// A genotype that no meiosis could have made, or a trace that says another meiosis happened.
struct Fault {
  std::string replicate;       // empty for a single simulation
  std::int32_t row = 0;        // 1-based pedigree record
  std::string id;              // the record's identifier
  std::string what;            // the fault, with what was expected and what was seen
  bool trace = false;          // a meiosis the trace tells otherwise than the genotypes
  std::size_t chromosome = 0;  // where it was found
};

// The trait of one simulation.
struct TraitFigures {
  std::string replicate;
  std::int64_t n = 0;
  double phenotype_mean = 0, phenotype_variance = 0;
  double genotypic_variance = 0, environmental_variance = 0;
  double correlation = 0;  // of genotypic value and environmental deviate
  // The environmental deviates against the sums of twelve of genodrop's draws, which they
  // equal when traitsim was seeded in genodrop's second; n_draws pairs (0 without a trace).
  // With several chromosomes, the stream of the chromosome that comes closest, out of
  // draw_streams compared.
  std::int64_t n_draws = 0;
  double draws_correlation = 0;
  int draw_streams = 0;
};

struct Sums {  // of the trait over individuals, for the pooled figures
  double n = 0, p = 0, pp = 0, g = 0, gg = 0, e = 0, ee = 0, ge = 0;
};

// What the genotypes of one chromosome show, over every simulation.
struct ChromosomeCounts {
  // Founder alleles: founder_alleles[j][q][a-1].
  std::vector<std::vector<std::vector<std::int64_t>>> founder_alleles;
  // Interval j (between loci j-1 and j; entry 0 unused): meioses and recombinants, all of
  // them from the trace, and from the genotypes those whose parent is heterozygous at both.
  std::vector<std::int64_t> traced_meioses, traced_recombinants, typed_meioses, typed_recombinants;
  // Heterozygosity: founders and their expected sum, and all individuals.
  std::vector<std::int64_t> founders, founders_heterozygous, all, all_heterozygous;
  std::vector<double> founders_expected, founders_expected_variance;
  std::int64_t mendel_faults = 0, trace_faults = 0;
};

struct Counts {
  std::int32_t simulations = 0;
  bool traced = true;  // every simulation had its trace files
  std::vector<ChromosomeCounts> chromosomes;
  std::int64_t mendel_faults = 0, trace_faults = 0;  // over all chromosomes
  std::vector<Fault> faults;                         // the first max_listed of each kind
  bool has_trait = false;
  std::vector<TraitFigures> traits;
  Sums sums;
  std::vector<double> phenotypes, genotypic_values;  // of every individual, pooled, for the figure
};

constexpr std::size_t max_listed = 200;

// Sets up `counts` for the chromosomes of `inputs`.
void start_counts(const Inputs& inputs, Counts& counts);

// Checks that the genotype file fits the pedigree and its chromosome (individuals and locus
// names). Returns the refusal, if any.
outcome::Outcome check_fit(const Inputs& inputs, const Chromosome& chromosome, const Genotypes& genotypes,
                           const std::string& file);

// Checks that the trace file belongs to the genotype file: the pedigree's identifiers in
// order, and the genotype file's alleles but for a few (a few changed alleles are what the
// Mendel and trace checks are there to find; another run's trace differs nearly everywhere).
// Returns the refusal, naming both files, if any.
outcome::Outcome check_trace_fit(const Inputs& inputs, const Genotypes& genotypes, const Trace& trace,
                                 const std::string& genotype_file, const std::string& trace_file);

// Adds one simulation to `counts`: per chromosome Mendel, founder alleles, recombination and
// heterozygosity, and the trait of all chromosomes when the model and the phenotypes are
// there. `replicate` labels its faults.
void add_simulation(const Inputs& inputs, const Simulation& simulation, const std::string& replicate,
                    Counts& counts);

// Adds the trait of one simulation (see trait_counts.cpp).
void add_trait(const Inputs& inputs, const Simulation& simulation, const std::string& replicate, Counts& counts);

}  // namespace simcheck
