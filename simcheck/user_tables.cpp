#include "simcheck/user_tables.hpp"

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "common/files/whole_file.hpp"
#include "simreps/imports.hpp"

namespace simcheck {

outcome::Outcome convert_user_tables(Layout& layout, const std::string& output) {
  // The raw pedigree, the chromosome files and the model, in that order, as simreps takes them.
  std::vector<std::string*> files{&layout.raw_pedigree};
  std::vector<std::string> names{"pe0.wrk"};
  for (std::size_t k = 0; k < layout.chromosomes.size(); ++k) {
    files.push_back(&layout.chromosomes[k]);
    names.push_back(of_chromosome("chromosome.wrk", k, layout.chromosomes.size()));
  }
  files.push_back(&layout.model);
  names.push_back("model.wrk");
  std::vector<std::string> given;
  for (const std::string* file : files) given.push_back(*file);
  simreps::Imports imports;
  if (auto refused = simreps::import_inputs(given, given, imports)) return refused;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!imports.texts[i]) continue;
    std::error_code error;
    std::filesystem::create_directories(output, error);
    const std::string path = output + "/" + names[i];
    if (error || !files::write_file(path, *imports.texts[i])) return outcome::stop("cannot write " + path);
    *files[i] = path;
  }
  for (std::size_t k = 0; k < imports.fam.rows.size(); ++k)
    layout.fam_ids[imports.fam.rows[k].family + "," + imports.fam.rows[k].id] = std::to_string(k + 1);
  return std::nullopt;
}

namespace {

// The text of a SOLAR file by fam2raw's numbers, or nothing when it has no famid column.
std::optional<std::string> by_suite_ids(const Layout& layout, const std::string& text) {
  if (!text.starts_with("famid,id")) return std::nullopt;
  std::string out;
  for (std::size_t start = 6; start < text.size();) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    const std::string_view line(text.data() + start, end - start);
    const std::size_t first = line.find(','), second = first == line.npos ? line.npos : line.find(',', first + 1);
    const auto it = second == line.npos ? layout.fam_ids.end() : layout.fam_ids.find(std::string(line.substr(0, second)));
    if (start > 6 && it != layout.fam_ids.end()) {
      out += it->second;
      out += line.substr(second);
    } else {
      out += line;
    }
    start = end;
  }
  return out;
}

}  // namespace

std::string compare_solar_by_suite_ids(const Layout& layout, const SolarFile& file, const std::string& scratch) {
  std::string text;
  if (layout.fam_ids.empty() || !files::read_file(file.sol, text)) return compare_solar(file, scratch);
  const std::optional<std::string> numbered = by_suite_ids(layout, text);
  if (!numbered) return compare_solar(file, scratch);
  SolarFile copy = file;
  copy.sol = scratch + "/.simcheck-" + std::to_string(::getpid()) + "-" + std::filesystem::path(file.sol).filename().string();
  if (!files::write_file(copy.sol, *numbered)) return "cannot write " + copy.sol;
  std::string problem = compare_solar(copy, scratch);
  std::error_code error;
  std::filesystem::remove(copy.sol, error);
  if (problem.starts_with(copy.sol)) problem.replace(0, copy.sol.size(), file.sol);
  return problem;
}

}  // namespace simcheck
