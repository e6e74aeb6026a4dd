// simcheck: whether a simulation is what its inputs asked for. It reads the inputs (pedigree,
// chromosome files, model) and the results (genotype, trace and phenotype files) of one
// simulation or of every replicate of a simreps study, and reports:
//
//   read inputs -> for each simulation: read results, count per chromosome (Mendel, founder
//   alleles, meioses, heterozygosity) and the trait of all chromosomes -> tests -> summary,
//   tables, figure
//
// Exit status 0 when no flag is raised, 1 when one is or an input is refused; a fault in
// reading the pedigree, chromosome or model file ends the run in the record layer, as in the
// programs that read them.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "common/outcome/finish.hpp"
#include "simcheck/checks.hpp"
#include "simcheck/evaluation.hpp"
#include "simcheck/folders.hpp"
#include "simcheck/inputs.hpp"
#include "simcheck/options.hpp"
#include "simcheck/replicates.hpp"
#include "simcheck/report.hpp"
#include "simcheck/solar_files.hpp"
#include "simcheck/user_tables.hpp"

namespace {

using namespace simcheck;

const outcome::Program& program = outcome::programs::simcheck;

// The folder of the tables and the figure, made only once there is something to put in it, so
// that a refused check leaves no trace.
outcome::Outcome make_folder(const std::string& output) {
  std::error_code error;
  std::filesystem::create_directories(output, error);
  return error ? outcome::stop("cannot create " + output + ": " + error.message()) : std::nullopt;
}

// The inputs of the check, a study's raw pedigree numbered into the output folder first.
outcome::Outcome read_all_inputs(const std::string& output, Layout& layout, Inputs& inputs) {
  // A study made straight from the user's tables is checked against what the importers make.
  if (auto problem = convert_user_tables(layout, output)) return problem;
  if (layout.pedigree.empty()) {
    if (auto problem = make_folder(output)) return problem;
    layout.pedigree = output + "/pe2.wrk";
    if (auto problem = number_pedigree(layout.raw_pedigree, layout.pedigree)) return problem;
  }
  return read_inputs({layout.pedigree, layout.chromosomes, layout.chromosome_names, layout.model}, inputs);
}

outcome::Outcome write_report(const std::string& output, const Inputs& inputs, const Counts& counts,
                              const Evaluation& evaluation) {
  if (auto problem = make_folder(output)) return problem;
  if (auto problem = write_tables(output, inputs, counts, evaluation)) return problem;
  const std::string figure = output + "/simcheck.svg";
  if (auto problem = write_figure(figure, inputs, counts, evaluation)) return problem;
  std::printf("Tables: %s/{frequencies,recombination,heterozygosity,faults,trait}.tsv\n", output.c_str());
  std::printf("Figure: %s\n", figure.c_str());
  return std::nullopt;
}

// The whole check. A flag raised is told in the summary, and ends the run with status 1.
outcome::Outcome run(const Options& options) {
  Layout layout;
  if (auto problem = find_layout(options, layout)) return problem;
  const std::string output = options.output.empty() ? options.folder + "/simcheck" : options.output;
  // The tables are large (genodrop's frequency table alone is 800 kB): on the heap.
  auto inputs = std::make_unique<Inputs>();
  if (auto problem = read_all_inputs(output, layout, *inputs)) return problem;
  if (auto problem = check_solar_files(options, layout, *inputs)) return problem;
  auto counts = std::make_unique<Counts>();
  if (auto problem = count_simulations(options, layout, *inputs, *counts)) return problem;
  const Evaluation evaluation = evaluate(*inputs, *counts);
  const Subject subject{options.folder, layout.study ? static_cast<std::int32_t>(layout.simulations.size()) : 0};
  print_summary(subject, *inputs, *counts, evaluation);
  if (auto problem = write_report(output, *inputs, *counts, evaluation)) return problem;
  return outcome::told(evaluation.flags != 0 ? 1 : 0);
}

// The whole run from the command line: a wrong one is answered with what is wrong and the
// usage text (status 1), a request for help with the usage text (status 0).
outcome::Outcome check(int argc, char** argv) {
  Options options;
  if (const outcome::Outcome problem = read_options(argc, argv, options))
    return outcome::usage(std::string(program.name) + ": " + problem->text + "\n" + usage());
  if (options.help) {
    std::fputs(usage(), stdout);
    return std::nullopt;
  }
  return run(options);
}

}  // namespace

int main(int argc, char** argv) { return outcome::finish(program, check(argc, argv)); }
