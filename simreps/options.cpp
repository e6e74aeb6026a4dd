#include "simreps/options.hpp"

#include <sched.h>

#include <cstdint>
#include <cstdio>
#include <optional>

#include <CLI/CLI.hpp>

#include "simreps/study.hpp"

namespace simreps {
namespace {

constexpr std::int64_t max_count = (max_seed - 1) / 2;  // two seeds each replicate
constexpr std::int64_t max_jobs = 1024;
// A marker at 0 cM and one at 2 cM already reach beyond 32-bit positions at 10^9 bp per cM.
constexpr std::int64_t max_bp_per_cm = 1000000000;

// A whole number written in digits alone, without overflow: anything of more than 18 digits
// is taken as too large.
std::optional<std::int64_t> whole_number(const std::string& text) {
  if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos)
    return text.size() > 18 && text.find_first_not_of("0123456789") == std::string::npos
               ? std::optional<std::int64_t>(INT64_MAX)
               : std::nullopt;
  return std::stoll(text);
}

// Each option's check prints its one line and returns false when the value is outside its
// range.
bool read_count(const std::string& text, std::int64_t& count) {
  const auto n = whole_number(text);
  if (n && *n > max_count) {
    std::printf("simreps: -n %s: at most %lld replicates, two seeds each\n", text.c_str(),
                static_cast<long long>(max_count));
    return false;
  }
  if (!n || *n < 1) {
    std::printf("simreps: -n %s: give a whole number from 1 to %lld\n", text.c_str(),
                static_cast<long long>(max_count));
    return false;
  }
  count = *n;
  return true;
}

bool read_jobs(const std::string& text, int& jobs) {
  const auto n = whole_number(text);
  if (!n || *n < 1 || *n > max_jobs) {
    std::printf("simreps: -j %s: give a whole number from 1 to %lld\n", text.c_str(),
                static_cast<long long>(max_jobs));
    return false;
  }
  jobs = static_cast<int>(*n);
  return true;
}

bool read_first_seed(const std::string& text, std::int64_t count, std::optional<std::int32_t>& first_seed) {
  const std::int64_t highest = max_seed + 1 - 2 * count;
  const auto s = whole_number(text);
  if (!s || *s < 1 || *s > highest) {
    std::printf("simreps: --first-seed %s: the seeds of %lld replicates must lie within 1 to "
                "2147483647, so the first seed must lie within 1 to %lld\n",
                text.c_str(), static_cast<long long>(count), static_cast<long long>(highest));
    return false;
  }
  first_seed = static_cast<std::int32_t>(*s);
  return true;
}

bool read_formats(const std::string& text, Formats& formats) {
  if (parse_formats(text, formats)) return true;
  std::printf("simreps: --formats %s: give a comma-separated list of solar, vcf, plink and merlin, "
              "each at most once\n", text.c_str());
  return false;
}

bool read_bp_per_cm(const std::string& text, std::int64_t& bp_per_cm) {
  const auto n = whole_number(text);
  if (!n || *n < 1 || *n > max_bp_per_cm) {
    std::printf("simreps: --bp-per-cm %s: give a whole number from 1 to %lld\n", text.c_str(),
                static_cast<long long>(max_bp_per_cm));
    return false;
  }
  bp_per_cm = *n;
  return true;
}

// A tab or a line end would break the line of study.tsv that records the path.
bool plain_path(const char* what, const std::string& path) {
  if (path.find_first_of("\t\n\r") == std::string::npos) return true;
  std::printf("simreps: %s: a path with a tab or a line end cannot be recorded in study.tsv; "
              "rename or link the file\n", what);
  return false;
}

// "A-B" or "A" into first and last.
bool read_slice(const std::string& text, std::int64_t& first, std::int64_t& last) {
  try {
    std::size_t used = 0;
    first = std::stoll(text, &used);
    if (used == text.size()) {
      last = first;
      return true;
    }
    if (text[used] != '-') return false;
    const std::string rest = text.substr(used + 1);
    last = std::stoll(rest, &used);
    return used == rest.size() && !rest.empty() && rest[0] >= '0' && rest[0] <= '9';
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

int available_cores() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
  return 1;
}

int parse_options(int argc, char** argv, Options& options) {
  CLI::App app{
      "Replicate studies: runs the simulation chain once per replicate, each replicate from\n"
      "its own two generator streams, and writes OUTDIR/pedigree.sol, OUTDIR/map.wrk.sol and\n"
      "per replicate OUTDIR/rep<r>/mark.sol and phen.sol, with OUTDIR/manifest.tsv; --formats\n"
      "adds or puts in their place VCF, PLINK and Merlin files.",
      "simreps"};
  app.set_version_flag("--version", program_version);
  std::string slice, count, seed, jobs, formats = default_formats, bp_per_cm;
  app.add_option("RAW_PEDIGREE", options.raw_pedigree, "raw pedigree (as for famorder)")
      ->required()->check(CLI::ExistingFile);
  app.add_option("CHROMOSOME", options.chromosome, "chromosome file (as for genodrop)")
      ->required()->check(CLI::ExistingFile);
  app.add_option("MODEL", options.model, "trait model (as for traitsim)")->required()->check(CLI::ExistingFile);
  app.add_option("OUTDIR", options.outdir, "folder of the study; created when missing")->required();
  // Read as text and checked here, so that a bad value gets one line with its range.
  app.add_option("-n,--count", count, "replicates in the study")->required()->type_name("INT:POSITIVE");
  app.add_option("-r,--replicates", slice, "make only replicates A to B of the study (A-B, or A)");
  auto* given_seed = app.add_option("-s,--first-seed", seed,
                 "first seed S of the study: replicate r uses S+2(r-1) and S+2(r-1)+1; "
                 "default: recorded in OUTDIR, or drawn at random")->type_name("INT");
  auto* given_jobs = app.add_option("-j,--jobs", jobs, "replicates made at once (default: the cores available)")
                         ->type_name("INT:POSITIVE");
  app.add_option("--formats", formats,
                 "formats of the replicates' files, a comma-separated list of solar (mark.sol, phen.sol), "
                 "vcf (genotypes.vcf.gz and .csi), plink (plink.bed, .bim, .fam: the biallelic markers) and "
                 "merlin (merlin.ped; merlin.dat and merlin.map in OUTDIR); default: solar")
      ->type_name("LIST");
  auto* given_rate = app.add_option("--bp-per-cm", bp_per_cm,
                 "base pairs per cM for the VCF's and PLINK's positions (1 + cM x rate); default 1000000")
                         ->type_name("INT:POSITIVE");
  app.add_flag("-k,--keep-working", options.keep_working, "also keep each replicate's working files");
  app.add_flag("-q,--quiet", options.quiet, "no progress line and no report");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e, std::cout, std::cout);
    return status == 0 ? 0 : 1;
  }
  if (!read_count(count, options.count)) return 1;
  options.last = options.count;
  if (!slice.empty()) {
    if (!read_slice(slice, options.first, options.last) || options.first < 1 ||
        options.last < options.first || options.last > options.count) {
      std::printf("simreps: --replicates %s: give A-B with 1 <= A <= B <= %lld (the count)\n",
                  slice.c_str(), static_cast<long long>(options.count));
      return 1;
    }
  }
  if (*given_seed && !read_first_seed(seed, options.count, options.first_seed)) return 1;
  if (*given_jobs && !read_jobs(jobs, options.jobs)) return 1;
  if (!read_formats(formats, options.formats)) return 1;
  if (*given_rate && !read_bp_per_cm(bp_per_cm, options.bp_per_cm)) return 1;
  if (!plain_path("RAW_PEDIGREE", options.raw_pedigree) || !plain_path("CHROMOSOME", options.chromosome) ||
      !plain_path("MODEL", options.model))
    return 1;
  if (options.jobs == 0) options.jobs = available_cores();
  return -1;
}

}  // namespace simreps
