// simcheck: whether a simulation is what its inputs asked for. It reads the inputs (pedigree,
// chromosome file, model) and the results (genotype, trace and phenotype files) of one
// simulation or of every replicate of a simreps study, and reports:
//
//   read inputs -> for each simulation: read results, count (Mendel, founder alleles,
//   meioses, heterozygosity, trait) -> tests -> summary, tables, figure
//
// Exit status 0 when no flag is raised, 1 when one is or an input is refused; a fault in
// reading the pedigree, chromosome or model file ends the run in the record layer, as in the
// programs that read them.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "simcheck/checks.hpp"
#include "simcheck/evaluation.hpp"
#include "simcheck/folders.hpp"
#include "simcheck/inputs.hpp"
#include "simcheck/options.hpp"
#include "simcheck/report.hpp"
#include "simcheck/solar_files.hpp"
#include "simcheck/user_tables.hpp"

namespace {

// simcheck names itself before every refusal.
int refuse(const std::string& text) { return outcome::refuse_line("simcheck: " + text); }

// Makes each simulation's mark.sol and phen.sol again from their working files and the
// numbered pedigree; a study must have them all, a single simulation is checked where they are
// there. Every file that differs is listed.
outcome::Outcome check_solar_files(const simcheck::Options& options, const simcheck::Layout& layout) {
  using simcheck::within;
  std::error_code error;
  const std::string scratch = std::filesystem::temp_directory_path(error).string();
  std::string faults;
  std::size_t count = 0;
  for (std::size_t k = 0; k < layout.simulations.size(); ++k) {
    const std::string& folder = layout.simulations[k];
    std::vector<simcheck::SolarFile> files = {{true, layout.pedigree, within(folder, "mark.wrk"), within(folder, "mark.sol")}};
    if (!options.no_trait)
      files.push_back({false, layout.pedigree, within(folder, options.phenotypes), within(folder, "phen.sol")});
    for (const auto& file : files) {
      if (!layout.study && (!std::filesystem::exists(file.sol, error) || !std::filesystem::exists(file.working, error)))
        continue;
      const std::string problem = simcheck::compare_solar_by_suite_ids(layout, file, error ? "/tmp" : scratch);
      if (problem.empty()) continue;
      if (++count <= simcheck::max_solar_faults)
        faults += "\n  " + (layout.study ? "replicate " + std::to_string(std::stol(layout.labels[k].substr(3))) + ": " : std::string()) + problem;
    }
  }
  if (count == 0) return std::nullopt;
  if (count > simcheck::max_solar_faults)
    faults += "\n  and " + std::to_string(count - simcheck::max_solar_faults) + " more";
  return outcome::stop("the SOLAR files are not what their working files make: " + std::to_string(count) +
                       (count == 1 ? " file" : " files") + faults);
}

// The inputs as the checks read them, made in `output` (by `make_output`) where needed: the
// user's tables a study was made from converted, a raw pedigree numbered.
outcome::Outcome prepare_inputs(simcheck::Layout& layout, const std::string& output,
                                const std::function<outcome::Outcome()>& make_output) {
  if (auto problem = simcheck::convert_user_tables(layout, output)) return problem;
  if (!layout.pedigree.empty()) return std::nullopt;
  if (auto problem = make_output()) return problem;
  layout.pedigree = output + "/pe2.wrk";
  return simcheck::number_pedigree(layout.raw_pedigree, layout.pedigree);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace simcheck;
  Options options;
  if (const outcome::Outcome problem = read_options(argc, argv, options); problem || options.help) {
    if (problem) refuse(problem->text);
    std::fputs(usage(), stdout);
    return options.help ? 0 : 1;
  }
  Layout layout;
  if (auto problem = find_layout(options, layout)) return refuse(problem->text);
  const std::string output = options.output.empty() ? options.folder + "/simcheck" : options.output;
  std::error_code error;
  // Made only once there is something to put in it, so that a refused check leaves no trace.
  auto make_output = [&]() {
    std::filesystem::create_directories(output, error);
    return error ? outcome::stop("cannot create " + output + ": " + error.message()) : std::nullopt;
  };
  if (auto problem = prepare_inputs(layout, output, make_output)) return refuse(problem->text);

  // The tables are large (genodrop's frequency table alone is 800 kB): on the heap.
  auto inputs = std::make_unique<Inputs>();
  if (auto problem = read_inputs(layout.pedigree, layout.chromosome, layout.model, *inputs))
    return refuse(problem->text);
  if (auto problem = check_solar_files(options, layout)) return refuse(problem->text);
  Counts counts;
  start_counts(*inputs, counts);
  for (std::size_t k = 0; k < layout.simulations.size(); ++k) {
    const std::string& folder = layout.simulations[k];
    Genotypes genotypes;
    Trace trace;
    Phenotypes phenotypes;
    const std::string genotype_file = within(folder, options.genotypes);
    if (auto problem = read_genotypes(genotype_file, genotypes)) return refuse(problem->text);
    if (auto problem = check_fit(*inputs, genotypes, genotype_file)) return refuse(problem->text);
    const std::string trace_file = within(folder, options.trace);
    if (std::filesystem::exists(trace_file, error))
      if (auto problem = read_trace(trace_file, genotype_file, genotypes.individuals, genotypes.loci, trace);
          problem || (problem = check_trace_fit(*inputs, genotypes, trace, genotype_file, trace_file)))
        return refuse(problem->text);
    const std::string phenotype_file = within(folder, options.phenotypes);
    if (inputs->has_model && std::filesystem::exists(phenotype_file, error)) {
      if (auto problem = read_phenotypes(phenotype_file, phenotypes)) return refuse(problem->text);
      if (static_cast<int>(phenotypes.values.size()) != genotypes.individuals)
        return refuse(phenotype_file + " holds " + std::to_string(phenotypes.values.size()) +
                      " phenotypes, " + genotype_file + " " + std::to_string(genotypes.individuals) + " individuals");
    }
    add_simulation(*inputs, genotypes, trace, phenotypes, layout.labels[k], counts);
  }

  const Evaluation evaluation = evaluate(*inputs, counts);
  const Subject subject{options.folder, layout.study ? static_cast<int>(layout.simulations.size()) : 0};
  print_summary(subject, *inputs, counts, evaluation);
  if (auto problem = make_output()) return refuse(problem->text);
  if (auto problem = write_tables(output, *inputs, counts, evaluation)) return refuse(problem->text);
  const std::string figure = output + "/simcheck.svg";
  if (auto problem = write_figure(figure, *inputs, counts, evaluation)) return refuse(problem->text);
  std::printf("Tables: %s/{frequencies,recombination,heterozygosity,faults,trait}.tsv\n", output.c_str());
  std::printf("Figure: %s\n", figure.c_str());
  return evaluation.flags == 0 ? 0 : 1;
}
