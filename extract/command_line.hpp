// extract's command line: extract genotypes qtlfile markerfile.
#pragma once

#include <string>

#include "common/outcome/outcome.hpp"

namespace extract {

struct Options {
  std::string genotypes;  // genodrop's genotype file
  std::string qtl;        // the trait loci, for traitsim
  std::string markers;    // every other locus, for xp-geno
};

// Takes the three file names from `argv` (argc entries, the program name first). Returns the
// usage text as the end of the run unless exactly three are given.
outcome::Outcome parse(int argc, const char* const* argv, Options& options);

// The usage text, four lines.
const char* usage();

}  // namespace extract
