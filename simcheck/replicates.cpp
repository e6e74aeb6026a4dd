#include "simcheck/replicates.hpp"

#include <filesystem>
#include <string>

namespace simcheck {
namespace {

// Chromosome k's genotype file and, where it is there, its trace.
outcome::Outcome read_chromosome_files(const Options& options, const std::string& folder, const Inputs& inputs,
                                       std::size_t k, Simulation& simulation) {
  const std::size_t count = inputs.chromosomes.size();
  const Chromosome& chromosome = inputs.chromosomes[k];
  Genotypes& genotypes = simulation.genotypes[k];
  const std::string genotype_file = within(folder, of_chromosome(options.genotypes, k, count));
  if (auto problem = read_genotypes(genotype_file, inputs.pedigree.count, chromosome.count(), genotypes))
    return problem;
  if (auto problem = check_fit(inputs, chromosome, genotypes, genotype_file)) return problem;
  const std::string trace_file = within(folder, of_chromosome(options.trace, k, count));
  std::error_code error;
  if (!std::filesystem::exists(trace_file, error)) return std::nullopt;
  Trace& trace = simulation.traces[k];
  if (auto problem = read_trace(trace_file, genotype_file, genotypes.individuals, genotypes.loci, trace))
    return problem;
  return check_trace_fit(inputs, genotypes, trace, genotype_file, trace_file);
}

// The phenotype file, where there is a model and the file is there.
outcome::Outcome read_phenotype_file(const Options& options, const std::string& folder, const Inputs& inputs,
                                     Simulation& simulation) {
  const std::string phenotype_file = within(folder, options.phenotypes);
  std::error_code error;
  if (!inputs.has_model || !std::filesystem::exists(phenotype_file, error)) return std::nullopt;
  Phenotypes& phenotypes = simulation.phenotypes;
  if (auto problem = read_phenotypes(phenotype_file, phenotypes)) return problem;
  const std::int32_t individuals = inputs.pedigree.count;
  if (phenotypes.values.size() != static_cast<std::size_t>(individuals))
    return outcome::stop(phenotype_file + " holds " + std::to_string(phenotypes.values.size()) + " phenotypes, " +
                         within(folder, of_chromosome(options.genotypes, 0, inputs.chromosomes.size())) + " " +
                         std::to_string(individuals) + " individuals");
  return std::nullopt;
}

}  // namespace

outcome::Outcome count_simulations(const Options& options, const Layout& layout, const Inputs& inputs,
                                   Counts& counts) {
  start_counts(inputs, counts);
  for (std::size_t k = 0; k < layout.simulations.size(); ++k) {
    const std::string& folder = layout.simulations[k];
    Simulation simulation;
    simulation.genotypes.resize(inputs.chromosomes.size());
    simulation.traces.resize(inputs.chromosomes.size());
    for (std::size_t c = 0; c < inputs.chromosomes.size(); ++c)
      if (auto problem = read_chromosome_files(options, folder, inputs, c, simulation)) return problem;
    if (auto problem = read_phenotype_file(options, folder, inputs, simulation)) return problem;
    add_simulation(inputs, simulation, layout.labels[k], counts);
  }
  return std::nullopt;
}

}  // namespace simcheck
