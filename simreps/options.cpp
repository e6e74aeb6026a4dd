#include "simreps/options.hpp"

#include <sched.h>

#include <CLI/CLI.hpp>

#include "simreps/study.hpp"

namespace simreps {
namespace {

constexpr std::int64_t max_seed = 2147483647;

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
      "per replicate OUTDIR/rep<r>/mark.sol and phen.sol, with OUTDIR/manifest.tsv.",
      "simreps"};
  app.set_version_flag("--version", program_version);
  std::string slice;
  std::int64_t first_seed = 0;
  app.add_option("RAW_PEDIGREE", options.raw_pedigree, "raw pedigree (as for famorder)")
      ->required()->check(CLI::ExistingFile);
  app.add_option("CHROMOSOME", options.chromosome, "chromosome file (as for genodrop)")
      ->required()->check(CLI::ExistingFile);
  app.add_option("MODEL", options.model, "trait model (as for traitsim)")->required()->check(CLI::ExistingFile);
  app.add_option("OUTDIR", options.outdir, "folder of the study; created when missing")->required();
  app.add_option("-n,--count", options.count, "replicates in the study")->required()->check(CLI::PositiveNumber);
  app.add_option("-r,--replicates", slice, "make only replicates A to B of the study (A-B, or A)");
  auto* seed = app.add_option("-s,--first-seed", first_seed,
                              "first seed S of the study: replicate r uses S+2(r-1) and S+2(r-1)+1; "
                              "default: recorded in OUTDIR, or drawn at random");
  app.add_option("-j,--jobs", options.jobs, "replicates made at once (default: the cores available)")
      ->check(CLI::PositiveNumber);
  app.add_flag("-k,--keep-working", options.keep_working, "also keep each replicate's working files");
  app.add_flag("-q,--quiet", options.quiet, "no progress line and no report");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e, std::cout, std::cout);
    return status == 0 ? 0 : 1;
  }
  options.last = options.count;
  if (!slice.empty()) {
    if (!read_slice(slice, options.first, options.last) || options.first < 1 ||
        options.last < options.first || options.last > options.count) {
      std::printf("simreps: --replicates %s: give A-B with 1 <= A <= B <= %lld (the count)\n",
                  slice.c_str(), static_cast<long long>(options.count));
      return 1;
    }
  }
  if (*seed) {
    if (first_seed < 1 || first_seed + 2 * options.count - 1 > max_seed) {
      std::printf("simreps: --first-seed %lld: the seeds of %lld replicates must lie within 1 to "
                  "2147483647, so the first seed must lie within 1 to %lld\n",
                  static_cast<long long>(first_seed), static_cast<long long>(options.count),
                  static_cast<long long>(max_seed + 1 - 2 * options.count));
      return 1;
    }
    options.first_seed = static_cast<std::int32_t>(first_seed);
  }
  if (options.jobs == 0) options.jobs = available_cores();
  return -1;
}

}  // namespace simreps
