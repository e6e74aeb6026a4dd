#include "simcheck/folders.hpp"

#include <algorithm>
#include <filesystem>
#include <map>
#include <vector>

#include "simcheck/line_reader.hpp"
#include "simreps/completion.hpp"

namespace fs = std::filesystem;

namespace simcheck {
namespace {

// The longest line of a study's record (an input's path of up to 4,096 characters, and its
// checksum and length) and of its manifest (a replicate's five numbers and two figures of up
// to 47 characters each), line end not counted.
constexpr std::size_t study_line = 4'200, manifest_line = 200;

// The faults of a study that a refusal lists; the rest are counted.
constexpr std::size_t max_study_faults = 20;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The input paths simreps recorded in study.tsv, with their lengths: a study checked against
// inputs that changed since would flag everything, so a changed length is refused.
outcome::Outcome read_study(const std::string& folder, std::map<std::string, std::string>& paths) {
  const std::string record = folder + "/study.tsv";
  if (!fs::is_regular_file(record)) return outcome::stop(record + " is not a plain file");
  LineReader in(record, study_line, "study record");
  while (in.next()) {
    const std::string& line = in.line;
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
      fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    if (fields.size() < 4) continue;
    // simreps keys the chromosome files of a study of several chromosome.1, chromosome.2 ...
    if (fields[0].rfind("chromosome.", 0) == 0)
      return outcome::stop(folder + " holds a study of several chromosomes; simcheck checks studies of one");
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
  if (in.too_long) return in.ended("");
  if (paths.size() != 3) return outcome::stop(folder + "/study.tsv is not a study record of simreps");
  return std::nullopt;
}

// The rows of the study's manifest.tsv by replicate number, each row as written.
outcome::Outcome read_manifest(const std::string& folder, std::map<long, std::string>& rows) {
  const std::string manifest = folder + "/manifest.tsv";
  std::error_code error;
  if (!fs::is_regular_file(manifest, error))
    return outcome::stop(folder + " has no manifest.tsv: simreps writes it when a run ends; run simreps again with the "
                                  "study's arguments to write it");
  LineReader in(manifest, manifest_line, "manifest");
  if (!in.next() || in.line.compare(0, 10, "replicate\t") != 0)
    return in.too_long ? in.ended("") : outcome::stop(manifest + " line 1: not the header simreps writes");
  while (in.next()) {
    const std::string number = in.line.substr(0, in.line.find('\t'));
    if (number.empty() || number.size() > 12 || !std::all_of(number.begin(), number.end(), is_digit) ||
        std::stol(number) < 1)
      return outcome::stop(in.where() + ": no replicate number in the first column");
    if (!rows.emplace(std::stol(number), in.line).second)
      return outcome::stop(in.where() + ": replicate " + number + " a second time");
  }
  if (in.too_long) return in.ended("");
  if (rows.empty()) return outcome::stop(manifest + " lists no replicate");
  return std::nullopt;
}

// The second line of a replicate's replicate.tsv: its row of the manifest.
std::string replicate_row(const std::string& folder) {
  LineReader in(folder + "/replicate.tsv", manifest_line, "manifest");
  if (!in.next() || !in.next()) return {};
  return in.line;
}

// Checks that every replicate the manifest lists is there with every file simcheck reads,
// that the manifest lists every replicate folder, and that its rows are the replicates' own.
// Fills the layout's simulations in the order of the replicates. Every fault is listed.
outcome::Outcome check_study(const Options& o, const std::map<long, std::string>& rows,
                             const std::map<long, std::string>& folders, Layout& l) {
  std::vector<std::string> names = {o.genotypes, o.trace, "mark.wrk", "mark.sol"};
  if (!o.no_trait) names.insert(names.end(), {o.phenotypes, "phen.sol"});
  names.push_back("replicate.tsv");
  std::vector<std::string> faults;
  std::size_t width = 0;
  for (const auto& [number, name] : folders) width = std::max(width, name.size() - 3);
  std::error_code error;
  bool any_genotypes = false;
  for (const auto& [number, row] : rows) {
    const std::string at = "  replicate " + std::to_string(number) + ": ";
    const auto found = folders.find(number);
    if (found == folders.end()) {
      std::string digits = std::to_string(number);
      if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
      faults.push_back(at + "no folder " + o.folder + "/rep" + digits);
      continue;
    }
    const std::string folder = o.folder + "/" + found->second;
    const std::size_t before = faults.size();
    for (const std::string& name : names)
      if (!fs::exists(within(folder, name), error)) faults.push_back(at + "no " + within(folder, name));
    // A crash, a power loss or a hand may leave files that are not what simreps wrote.
    if (faults.size() == before)
      if (auto fault = simreps::check_complete(folder, true)) faults.push_back(at + fault->text);
    any_genotypes = any_genotypes || fs::exists(within(folder, o.genotypes), error);
    if (fs::exists(folder + "/replicate.tsv", error) && replicate_row(folder) != row)
      faults.push_back(at + "its line in " + o.folder + "/manifest.tsv is not the one in " + folder + "/replicate.tsv");
    l.simulations.push_back(folder);
    l.labels.push_back(found->second);
  }
  for (const auto& [number, name] : folders)
    if (!rows.contains(number))
      faults.push_back("  replicate " + std::to_string(number) + ": " + o.folder + "/" + name +
                       " is not in the manifest (a simreps run is still making the study, or stopped before it "
                       "rewrote the manifest: run simreps again with the study's arguments)");
  if (!any_genotypes && !l.simulations.empty())
    return outcome::stop(l.simulations.front() + " has no " + o.genotypes +
                         ": simcheck reads each replicate's genotype, trace and phenotype files, which simreps keeps "
                         "only when run with --keep-working (-k)");
  if (faults.empty()) return std::nullopt;
  std::string text = o.folder + " is not a complete study: " + std::to_string(faults.size()) +
                     (faults.size() == 1 ? " fault" : " faults");
  for (std::size_t k = 0; k < faults.size() && k < max_study_faults; ++k) text += "\n" + faults[k];
  if (faults.size() > max_study_faults)
    text += "\n  and " + std::to_string(faults.size() - max_study_faults) + " more";
  return outcome::stop(text);
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
    std::map<long, std::string> rows, reps;
    if (auto problem = read_manifest(o.folder, rows)) return problem;
    for (const auto& entry : fs::directory_iterator(o.folder, error)) {
      const std::string name = entry.path().filename().string();
      if (!entry.is_directory() || name.size() < 4 || name.compare(0, 3, "rep") != 0 ||
          !std::all_of(name.begin() + 3, name.end(), is_digit) || name.size() > 15)
        continue;
      reps[std::stol(name.substr(3))] = name;
    }
    if (auto problem = check_study(o, rows, reps, l)) return problem;
  }
  if (o.no_trait) l.model.clear();
  return std::nullopt;
}

}  // namespace simcheck
