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

std::vector<std::string> split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t at; (at = line.find(separator, start)) != std::string::npos; start = at + 1)
    fields.push_back(line.substr(start, at - start));
  fields.push_back(line.substr(start));
  return fields;
}

// What simreps recorded in study.tsv: each input's fields (key, checksum, bytes, path) and the
// chromosomes' names, if given.
struct Record {
  std::vector<std::string> raw_pedigree, model;
  std::vector<std::vector<std::string>> chromosomes;  // "chromosome", or chromosome.1, .2 ...
  std::string chromosome_names;
};

// The number k of a key "chromosome.k", 0 for any other key.
std::size_t chromosome_number(const std::string& key) {
  if (key.rfind("chromosome.", 0) != 0 || key.size() > 16 || key.size() == 11 ||
      !std::all_of(key.begin() + 11, key.end(), is_digit))
    return 0;
  return static_cast<std::size_t>(std::stoul(key.substr(11)));
}

outcome::Outcome read_record(const std::string& folder, Record& record) {
  const std::string path = folder + "/study.tsv";
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return outcome::stop(path + " is not a plain file");
  LineReader in(path, study_line, "study record");
  std::map<std::size_t, std::vector<std::string>> numbered;
  while (in.next()) {
    const std::vector<std::string> fields = split(in.line, '\t');
    if (fields.size() >= 2 && fields[0] == "chromosome_names") record.chromosome_names = fields[1];
    if (fields.size() < 4) continue;
    if (fields[0] == "raw_pedigree") record.raw_pedigree = fields;
    else if (fields[0] == "model") record.model = fields;
    else if (fields[0] == "chromosome") numbered[0] = fields;
    else if (const std::size_t k = chromosome_number(fields[0]); k > 0) numbered[k] = fields;
  }
  if (in.too_long) return in.ended("");
  // One "chromosome", or chromosome.1 to chromosome.K.
  const bool ordered = numbered.contains(0) ? numbered.size() == 1
                                             : numbered.size() > 1 && numbered.rbegin()->first == numbered.size();
  for (const auto& [k, fields] : numbered) record.chromosomes.push_back(fields);
  if (record.raw_pedigree.empty() || record.model.empty() || !ordered)
    return outcome::stop(folder + "/study.tsv is not a study record of simreps");
  return std::nullopt;
}

// The path of a recorded input, refused when it cannot be read or its length changed since:
// a study checked against inputs that changed would flag everything.
outcome::Outcome recorded_path(const std::string& folder, const std::vector<std::string>& fields, std::string& path) {
  const std::string& key = fields[0];
  const std::string advice = key == "raw_pedigree"          ? "name it with --raw-pedigree"
                             : key.rfind("chromosome.", 0) == 0 ? "name the study's chromosome files with one --chromosome each"
                                                                : "name it with --" + key;
  std::error_code error;
  const auto bytes = fs::file_size(fields[3], error);
  if (error)
    return outcome::stop(folder + "/study.tsv names the " + key + " " + fields[3] + ", which cannot be read; " + advice);
  if (std::to_string(bytes) != fields[2])
    return outcome::stop("the " + key + " " + fields[3] + " has " + std::to_string(bytes) + " bytes, the study's had " +
                         fields[2] + ": it changed since the study was made");
  path = fields[3];
  return std::nullopt;
}

// The inputs of a study: those the options name, else those its record names. The chromosome
// files are named all or none: one --chromosome for each chromosome of the study.
outcome::Outcome study_inputs(const Options& options, Layout& layout) {
  layout.pedigree = options.pedigree;
  layout.raw_pedigree = options.raw_pedigree;
  layout.chromosomes = options.chromosomes;
  layout.model = options.model;
  const bool all_named = (!options.pedigree.empty() || !options.raw_pedigree.empty()) && !options.chromosomes.empty() &&
                         (!options.model.empty() || options.no_trait);
  if (all_named) return std::nullopt;
  Record record;
  if (auto problem = read_record(options.folder, record)) return problem;
  const std::size_t count = record.chromosomes.size();
  if (!options.chromosomes.empty() && options.chromosomes.size() != count)
    return outcome::stop(options.folder + " holds a study of " + std::to_string(count) +
                         (count == 1 ? " chromosome: name its file with one --chromosome"
                                     : " chromosomes: name their files with one --chromosome each, in the study's order") +
                         ", not " + std::to_string(options.chromosomes.size()));
  const std::vector<std::string> names = split(record.chromosome_names, ',');
  if (names.size() == count) layout.chromosome_names = names;
  std::vector<std::pair<const std::vector<std::string>*, std::string*>> used;
  if (options.pedigree.empty() && options.raw_pedigree.empty()) used.push_back({&record.raw_pedigree, &layout.raw_pedigree});
  if (options.chromosomes.empty()) {
    layout.chromosomes.assign(count, std::string());
    for (std::size_t k = 0; k < count; ++k) used.push_back({&record.chromosomes[k], &layout.chromosomes[k]});
  }
  if (options.model.empty()) used.push_back({&record.model, &layout.model});
  // Checked in the record's order: the raw pedigree, the chromosome files, the model.
  for (const auto& [fields, path] : used)
    if (auto problem = recorded_path(options.folder, *fields, *path)) return problem;
  return std::nullopt;
}

// The rows of the study's manifest.tsv by replicate number, each row as written.
outcome::Outcome read_manifest(const std::string& folder, std::map<std::int64_t, std::string>& rows) {
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
        std::stoll(number) < 1)
      return outcome::stop(in.where() + ": no replicate number in the first column");
    if (!rows.emplace(std::stoll(number), in.line).second)
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

// The files simcheck reads in every replicate of a study of `chromosomes` chromosomes.
std::vector<std::string> replicate_files(const Options& options, std::size_t chromosomes) {
  std::vector<std::string> names;
  for (std::size_t k = 0; k < chromosomes; ++k)
    for (const std::string& name : {options.genotypes, options.trace, std::string("mark.wrk")})
      names.push_back(of_chromosome(name, k, chromosomes));
  names.push_back("mark.sol");
  if (!options.no_trait) names.insert(names.end(), {options.phenotypes, "phen.sol"});
  names.push_back("replicate.tsv");
  return names;
}

// The faults of one replicate folder: a file missing, a file that is not what simreps wrote
// (a crash, a power loss or a hand may leave such files), a row that is not the manifest's.
void check_replicate(const Options& options, const std::vector<std::string>& names, const std::string& folder,
                     const std::string& row, const std::string& at, std::vector<std::string>& faults) {
  std::error_code error;
  const std::size_t before = faults.size();
  for (const std::string& name : names)
    if (!fs::exists(within(folder, name), error)) faults.push_back(at + "no " + within(folder, name));
  if (faults.size() == before)
    if (auto fault = simreps::check_complete(folder, true)) faults.push_back(at + fault->text);
  if (fs::exists(folder + "/replicate.tsv", error) && replicate_row(folder) != row)
    faults.push_back(at + "its line in " + options.folder + "/manifest.tsv is not the one in " + folder + "/replicate.tsv");
}

// The refusal that lists `faults`, the first max_study_faults of them.
outcome::Outcome incomplete(const std::string& folder, const std::vector<std::string>& faults) {
  if (faults.empty()) return std::nullopt;
  std::string text = folder + " is not a complete study: " + std::to_string(faults.size()) +
                     (faults.size() == 1 ? " fault" : " faults");
  for (std::size_t k = 0; k < faults.size() && k < max_study_faults; ++k) text += "\n" + faults[k];
  if (faults.size() > max_study_faults) text += "\n  and " + std::to_string(faults.size() - max_study_faults) + " more";
  return outcome::stop(text);
}

using Numbered = std::map<std::int64_t, std::string>;

// Checks that every replicate the manifest lists is there with every file simcheck reads,
// that the manifest lists every replicate folder, and that its rows are the replicates' own.
// Fills the layout's simulations in the order of the replicates. Every fault is listed.
outcome::Outcome check_study(const Options& options, const Numbered& rows, const Numbered& folders, Layout& layout) {
  const std::vector<std::string> names = replicate_files(options, layout.chromosomes.size());
  const std::string first_genotypes = of_chromosome(options.genotypes, 0, layout.chromosomes.size());
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
      faults.push_back(at + "no folder " + options.folder + "/rep" + digits);
      continue;
    }
    const std::string folder = options.folder + "/" + found->second;
    check_replicate(options, names, folder, row, at, faults);
    any_genotypes = any_genotypes || fs::exists(within(folder, first_genotypes), error);
    layout.simulations.push_back(folder);
    layout.labels.push_back(found->second);
  }
  for (const auto& [number, name] : folders)
    if (!rows.contains(number))
      faults.push_back("  replicate " + std::to_string(number) + ": " + options.folder + "/" + name +
                       " is not in the manifest (a simreps run is still making the study, or stopped before it "
                       "rewrote the manifest: run simreps again with the study's arguments)");
  if (!any_genotypes && !layout.simulations.empty())
    return outcome::stop(layout.simulations.front() + " has no " + first_genotypes +
                         ": simcheck reads each replicate's genotype, trace and phenotype files, which simreps keeps "
                         "only when run with --keep-working (-k)");
  return incomplete(options.folder, faults);
}

void single_layout(const Options& options, Layout& layout) {
  std::error_code error;
  layout.pedigree = !options.pedigree.empty() ? options.pedigree : options.raw_pedigree.empty() ? options.folder + "/pe2.wrk" : "";
  layout.raw_pedigree = options.raw_pedigree;
  layout.chromosomes = options.chromosomes;
  if (layout.chromosomes.empty()) layout.chromosomes = {options.folder + "/chromosome.wrk"};
  layout.model = options.model.empty() ? options.folder + "/model.wrk" : options.model;
  if (options.model.empty() && !fs::exists(layout.model, error)) layout.model.clear();
  layout.simulations = {options.folder};
  layout.labels = {""};
}

outcome::Outcome study_layout(const Options& options, Layout& layout) {
  if (auto problem = study_inputs(options, layout)) return problem;
  Numbered rows, reps;
  if (auto problem = read_manifest(options.folder, rows)) return problem;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(options.folder, error)) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_directory() || name.size() < 4 || name.compare(0, 3, "rep") != 0 ||
        !std::all_of(name.begin() + 3, name.end(), is_digit) || name.size() > 15)
      continue;
    reps[std::stoll(name.substr(3))] = name;
  }
  return check_study(options, rows, reps, layout);
}

}  // namespace

std::string within(const std::string& folder, const std::string& name) {
  return !name.empty() && name[0] == '/' ? name : folder + "/" + name;
}

std::string of_chromosome(const std::string& name, std::size_t k, std::size_t count) {
  if (count <= 1) return name;
  const std::size_t slash = name.rfind('/');
  const std::size_t dot = name.rfind('.');
  const std::string number = "." + std::to_string(k + 1);
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return name + number;
  return name.substr(0, dot) + number + name.substr(dot);
}

outcome::Outcome find_layout(const Options& options, Layout& layout) {
  std::error_code error;
  if (!fs::is_directory(options.folder, error)) return outcome::stop(options.folder + " is not a folder");
  layout.study = fs::exists(options.folder + "/study.tsv", error);
  if (!layout.study) single_layout(options, layout);
  else if (auto problem = study_layout(options, layout)) return problem;
  if (layout.chromosome_names.size() != layout.chromosomes.size()) {
    layout.chromosome_names.clear();
    for (std::size_t k = 0; k < layout.chromosomes.size(); ++k) layout.chromosome_names.push_back(std::to_string(k + 1));
  }
  if (options.no_trait) layout.model.clear();
  return std::nullopt;
}

}  // namespace simcheck
