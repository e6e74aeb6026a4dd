#include "simcheck/solar_files.hpp"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>

#include "common/files/output_file.hpp"
#include "common/freeform/item_stream.hpp"
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
long first_difference(const std::string& a, const std::string& b) {
  std::ifstream x(a, std::ios::binary), y(b, std::ios::binary);
  std::streambuf *p = x.rdbuf(), *q = y.rdbuf();
  long line = 1;
  for (;;) {
    const int c = p->sbumpc(), d = q->sbumpc();
    if (c != d) return line;
    if (c == std::char_traits<char>::eof()) return 0;
    if (c == '\n') ++line;
  }
}

}  // namespace

std::string compare_solar(const SolarFile& f, const std::string& scratch) {
  const char* program = f.markers ? "xp-geno" : "xp-trait";
  for (const auto& [path, cap] : {std::pair{f.pedigree, max_pedigree_bytes},
                                  std::pair{f.working, f.markers ? max_marker_file_bytes : max_phenotype_file_bytes}})
    if (std::string problem = unfit(path, cap); !problem.empty()) return problem;
  // The SOLAR file is read no further than one byte past the length of the one made again.
  if (std::string problem = unfit(f.sol, std::numeric_limits<std::int64_t>::max()); !problem.empty()) return problem;

  std::string made = scratch + "/.simcheck.XXXXXX";
  const int descriptor = ::mkstemp(made.data());
  if (descriptor < 0) return "cannot make a scratch file in " + scratch;
  ::close(descriptor);
  std::string problem;
  {
    const File pedigree(std::fopen(f.pedigree.c_str(), "r")), working(std::fopen(f.working.c_str(), "r"));
    auto out = std::make_unique<files::OutputFile>();
    if (!pedigree || !working) {
      problem = "cannot read " + (pedigree ? f.working : f.pedigree);
    } else if (!out->open(made.c_str())) {
      problem = "cannot write " + made;
    } else {
      auto ped_items = std::make_unique<freeform::ItemStream>(pedigree.get());
      auto working_items = std::make_unique<freeform::ItemStream>(working.get());
      const outcome::Outcome refused =
          f.markers ? xpgeno::write_solar_markers({*ped_items, f.pedigree}, {*working_items, f.working}, *out)
                    : xptrait::write_solar_phenotypes({*working_items, f.working}, {*ped_items, f.pedigree}, *out);
      if (!out->close()) problem = "cannot write " + made;
      if (refused) problem = std::string(program) + " refuses " + f.pedigree + " and " + f.working + ": " + refused->text;
    }
  }
  if (problem.empty())
    if (const long line = first_difference(made, f.sol); line != 0)
      problem = f.sol + " is not what " + program + " makes of " + f.pedigree + " and " + f.working +
                ": they differ from line " + std::to_string(line);
  std::error_code error;
  fs::remove(made, error);
  return problem;
}

}  // namespace simcheck
