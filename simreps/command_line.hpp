// simreps' command line: simreps [options] RAW_PEDIGREE CHROMOSOME... MODEL OUTDIR
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "simreps/formats.hpp"

namespace simreps {

struct Options {
  std::string raw_pedigree, model, outdir;
  std::vector<std::string> chromosomes;       // one or more chromosome files, in order
  std::vector<std::string> chromosome_names;  // as VCF, PLINK and Merlin name them
  bool names_given = false;                   // --chromosome-names
  std::int64_t count = 0;                  // -n: replicates in the study
  std::int64_t first = 1, last = 0;        // --replicates A-B: the slice made by this run
  std::optional<std::int32_t> first_seed;  // --first-seed
  int jobs = 0;                            // -j
  bool keep_working = false;
  // A study from a .fam names individuals by the suite's numbers, as fam2raw gives them,
  // rather than by the .fam's family and id.
  bool suite_ids = false;
  bool quiet = false;
  Formats formats;                                   // --formats
  std::int64_t bp_per_cm = default_bp_per_cm;        // --bp-per-cm
};

// Reads the command line into `options`. Returns the help or version text asked for (status
// 0), CLI11's wording of a command line it cannot read, or the one line that says which value
// is outside its range, as the end of the run.
outcome::Outcome parse(int argc, char** argv, Options& options);

// The cores this process may use.
int available_cores();

}  // namespace simreps
