#include "simcheck/solar_files.hpp"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>

#include "common/files/output_file.hpp"
#include "common/freeform/item_stream.hpp"
#include "simcheck/simulation.hpp"
#include "xp-geno/solar_markers.hpp"
#include "xp-trait/solar_phenotypes.hpp"

namespace fs = std::filesystem;

namespace simcheck {
namespace {

// Empty when `path` is a plain file of at most `cap` bytes, else what it is.
std::string unfit(const std::string& path, std::int64_t cap) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return path + " is not a plain file";
  const auto bytes = fs::file_size(path, error);
  if (error) return "cannot read " + path;
  if (static_cast<std::int64_t>(bytes) > cap)
    return path + " has " + std::to_string(bytes) + " bytes, more than the " + std::to_string(cap) +
           " its format holds";
  return {};
}

struct Closer {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, Closer>;

// The line (from 1) of the first byte in which files `a` and `b` differ; 0 when they are the
// same. Reads no further than that byte.
std::int64_t first_difference(const std::string& a, const std::string& b) {
  std::ifstream x(a, std::ios::binary), y(b, std::ios::binary);
  std::streambuf *p = x.rdbuf(), *q = y.rdbuf();
  std::int64_t line = 1;
  for (;;) {
    const int c = p->sbumpc(), d = q->sbumpc();
    if (c != d) return line;
    if (c == std::char_traits<char>::eof()) return 0;
    if (c == '\n') ++line;
  }
}

// A scratch file in `scratch`, or the empty name when none can be made.
std::string scratch_file(const std::string& scratch) {
  std::string made = scratch + "/.simcheck.XXXXXX";
  const int descriptor = ::mkstemp(made.data());
  if (descriptor < 0) return {};
  ::close(descriptor);
  return made;
}

// Makes the SOLAR file of `pedigree` and `working` into `made` with the converter's own code.
std::string convert(bool markers, const std::string& pedigree, const std::string& working, const std::string& made) {
  const File pedigree_file(std::fopen(pedigree.c_str(), "r")), working_file(std::fopen(working.c_str(), "r"));
  auto out = std::make_unique<files::OutputFile>();
  if (!pedigree_file || !working_file) return "cannot read " + (pedigree_file ? working : pedigree);
  if (!out->open(made.c_str())) return "cannot write " + made;
  auto ped_items = std::make_unique<freeform::ItemStream>(pedigree_file.get());
  auto working_items = std::make_unique<freeform::ItemStream>(working_file.get());
  const outcome::Outcome refused =
      markers ? xpgeno::write_solar_markers({*ped_items, pedigree}, {*working_items, working}, *out)
              : xptrait::write_solar_phenotypes({*working_items, working}, {*ped_items, pedigree}, *out);
  std::string problem;
  if (!out->close()) problem = "cannot write " + made;
  if (refused)
    problem = std::string(markers ? "xp-geno" : "xp-trait") + " refuses " + pedigree + " and " + working + ": " +
              refused->text;
  return problem;
}

// Joins the marker files `parts` line by line into `made`: the first whole, each other after
// its id column, as a study of several chromosomes writes its mark.sol.
std::string join(const std::vector<std::string>& parts, const std::string& made) {
  std::vector<std::ifstream> in;
  for (const std::string& part : parts) in.emplace_back(part, std::ios::binary);
  std::ofstream out(made, std::ios::binary | std::ios::trunc);
  for (std::string line, text; std::getline(in.front(), line);) {
    for (std::size_t k = 1; k < in.size(); ++k)
      if (std::getline(in[k], text)) line += text.substr(std::min(text.find(','), text.size()));
    out << line << '\n';
  }
  out.close();
  return out ? std::string() : "cannot write " + made;
}

// Makes the SOLAR file of `file` into `made`.
std::string make_again(const SolarFile& file, const std::string& scratch, const std::string& made) {
  if (file.working.size() == 1) return convert(file.markers, file.pedigree, file.working.front(), made);
  std::vector<std::string> parts;
  std::string problem;
  for (const std::string& working : file.working) {
    parts.push_back(scratch_file(scratch));
    if (parts.back().empty()) problem = "cannot make a scratch file in " + scratch;
    if (problem.empty()) problem = convert(file.markers, file.pedigree, working, parts.back());
    if (!problem.empty()) break;
  }
  if (problem.empty()) problem = join(parts, made);
  std::error_code error;
  for (const std::string& part : parts)
    if (!part.empty()) fs::remove(part, error);
  return problem;
}

}  // namespace

std::int64_t max_marker_file_bytes(std::int32_t loci) {
  return (max_records + 2) * (static_cast<std::int64_t>(longest_genotype_line(loci)) + 2);
}

std::string compare_solar(const SolarFile& file, const std::string& scratch) {
  const char* program = file.markers ? "xp-geno" : "xp-trait";
  std::vector<std::pair<std::string, std::int64_t>> inputs = {{file.pedigree, max_pedigree_bytes}};
  for (const std::string& working : file.working)
    inputs.push_back({working, file.markers ? max_marker_file_bytes(file.loci) : max_phenotype_file_bytes});
  for (const auto& [path, cap] : inputs)
    if (std::string problem = unfit(path, cap); !problem.empty()) return problem;
  // The SOLAR file is read no further than one byte past the length of the one made again.
  if (std::string problem = unfit(file.sol, std::numeric_limits<std::int64_t>::max()); !problem.empty()) return problem;
  const std::string made = scratch_file(scratch);
  if (made.empty()) return "cannot make a scratch file in " + scratch;
  std::string problem = make_again(file, scratch, made);
  std::string from = file.pedigree;
  for (std::size_t k = 0; k < file.working.size(); ++k) from += (k + 1 == file.working.size() ? " and " : ", ") + file.working[k];
  if (problem.empty())
    if (const std::int64_t line = first_difference(made, file.sol); line != 0)
      problem = file.sol + " is not what " + program + " makes of " + from +
                ": they differ from line " + std::to_string(line);
  std::error_code error;
  fs::remove(made, error);
  return problem;
}

}  // namespace simcheck
