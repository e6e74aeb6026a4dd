// Whether each simulation's SOLAR files are what the converters make of its working files.
#include <algorithm>
#include <filesystem>

#include "simcheck/solar_files.hpp"
#include "simcheck/user_tables.hpp"

namespace simcheck {
namespace {

// The SOLAR files of the simulation in `folder`: mark.sol from every chromosome's marker
// genotype file, and phen.sol unless the trait is left out.
std::vector<SolarFile> solar_files(const Options& options, const Layout& layout, const Inputs& inputs,
                                   const std::string& folder) {
  std::int32_t loci = 0;
  for (const Chromosome& chromosome : inputs.chromosomes) loci = std::max(loci, chromosome.count());
  SolarFile markers{true, layout.pedigree, {}, within(folder, "mark.sol"), loci};
  for (std::size_t k = 0; k < layout.chromosomes.size(); ++k)
    markers.working.push_back(within(folder, of_chromosome("mark.wrk", k, layout.chromosomes.size())));
  std::vector<SolarFile> files = {markers};
  if (!options.no_trait)
    files.push_back({false, layout.pedigree, {within(folder, options.phenotypes)}, within(folder, "phen.sol")});
  return files;
}

// A single simulation is checked where its files are there.
bool all_there(const SolarFile& file) {
  std::error_code error;
  bool there = std::filesystem::exists(file.sol, error);
  for (const std::string& working : file.working) there = there && std::filesystem::exists(working, error);
  return there;
}

}  // namespace

outcome::Outcome check_solar_files(const Options& options, const Layout& layout, const Inputs& inputs) {
  std::error_code error;
  const std::string scratch = std::filesystem::temp_directory_path(error).string();
  std::string faults;
  std::size_t count = 0;
  for (std::size_t k = 0; k < layout.simulations.size(); ++k)
    for (const SolarFile& file : solar_files(options, layout, inputs, layout.simulations[k])) {
      if (!layout.study && !all_there(file)) continue;
      const std::string problem = compare_solar_by_suite_ids(layout, file, error ? "/tmp" : scratch);
      if (problem.empty()) continue;
      if (++count <= max_solar_faults)
        faults += "\n  " + (layout.study ? "replicate " + std::to_string(std::stoll(layout.labels[k].substr(3))) + ": "
                                         : std::string()) +
                  problem;
    }
  if (count == 0) return std::nullopt;
  if (count > max_solar_faults) faults += "\n  and " + std::to_string(count - max_solar_faults) + " more";
  return outcome::stop("the SOLAR files are not what their working files make: " + std::to_string(count) +
                       (count == 1 ? " file" : " files") + faults);
}

}  // namespace simcheck
