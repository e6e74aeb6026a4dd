#include "simcheck/folders.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace simcheck {
namespace {

// The input paths simreps recorded in study.tsv, with their lengths: a study checked against
// inputs that changed since would flag everything, so a changed length is refused.
outcome::Outcome read_study(const std::string& folder, std::map<std::string, std::string>& paths) {
  std::ifstream in(folder + "/study.tsv");
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
      fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    if (fields.size() < 4) continue;
    if (fields[0] != "raw_pedigree" && fields[0] != "chromosome" && fields[0] != "model") continue;
    std::error_code error;
    const auto bytes = fs::file_size(fields[3], error);
    if (error) return outcome::stop(folder + "/study.tsv names the " + fields[0] + " " + fields[3] + ", which cannot be read; name it with --" +
                                    (fields[0] == "raw_pedigree" ? "raw-pedigree" : fields[0]));
    if (std::to_string(bytes) != fields[2])
      return outcome::stop("the " + fields[0] + " " + fields[3] + " has " + std::to_string(bytes) + " bytes, the study's had " +
                           fields[2] + ": it changed since the study was made");
    paths[fields[0]] = fields[3];
  }
  if (paths.size() != 3) return outcome::stop(folder + "/study.tsv is not a study record of simreps");
  return std::nullopt;
}

}  // namespace

std::string within(const std::string& folder, const std::string& name) {
  return !name.empty() && name[0] == '/' ? name : folder + "/" + name;
}

outcome::Outcome find_layout(const Options& o, Layout& l) {
  std::error_code error;
  if (!fs::is_directory(o.folder, error)) return outcome::stop(o.folder + " is not a folder");
  l.study = fs::exists(o.folder + "/study.tsv", error);
  if (!l.study) {
    l.pedigree = !o.pedigree.empty() ? o.pedigree : o.raw_pedigree.empty() ? o.folder + "/pe2.wrk" : "";
    l.raw_pedigree = o.raw_pedigree;
    l.chromosome = o.chromosome.empty() ? o.folder + "/chromosome.wrk" : o.chromosome;
    l.model = o.model.empty() ? o.folder + "/model.wrk" : o.model;
    if (o.model.empty() && !fs::exists(l.model, error)) l.model.clear();
    l.simulations = {o.folder};
    l.labels = {""};
  } else {
    std::map<std::string, std::string> recorded;
    const bool all_named = (!o.pedigree.empty() || !o.raw_pedigree.empty()) && !o.chromosome.empty() &&
                           (!o.model.empty() || o.no_trait);
    if (!all_named)
      if (auto problem = read_study(o.folder, recorded)) return problem;
    l.pedigree = o.pedigree;
    l.raw_pedigree = o.pedigree.empty() && o.raw_pedigree.empty() ? recorded["raw_pedigree"] : o.raw_pedigree;
    l.chromosome = o.chromosome.empty() ? recorded["chromosome"] : o.chromosome;
    l.model = o.model.empty() ? recorded["model"] : o.model;
    std::map<long, std::string> reps;
    for (const auto& entry : fs::directory_iterator(o.folder, error)) {
      const std::string name = entry.path().filename().string();
      if (!entry.is_directory() || name.size() < 4 || name.compare(0, 3, "rep") != 0 ||
          !std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
          name.size() > 15)
        continue;
      reps[std::stol(name.substr(3))] = name;
    }
    if (reps.empty()) return outcome::stop(o.folder + " holds a study but no complete replicate folder");
    for (const auto& [number, name] : reps) {
      l.simulations.push_back(o.folder + "/" + name);
      l.labels.push_back(name);
    }
    if (!fs::exists(within(l.simulations.front(), o.genotypes), error))
      return outcome::stop(l.simulations.front() + " has no " + o.genotypes +
                           ": simcheck reads each replicate's genotype, trace and phenotype files, which simreps keeps "
                           "only when run with --keep-working (-k)");
  }
  if (o.no_trait) l.model.clear();
  return std::nullopt;
}

}  // namespace simcheck
