// xp-trait's command line: xp-trait pedigree phen outfile.
#pragma once

#include <string>

#include "common/outcome/outcome.hpp"

namespace xptrait {

struct Options {
  std::string pedigree;   // the numbered pedigree
  std::string phenotypes;  // traitsim's phenotype file
  std::string outfile;   // the SOLAR phenotype file to write
};

// Takes the three file names from `argv` (argc entries, the program name first). Returns the
// usage text as the end of the run unless exactly three are given.
outcome::Outcome parse(int argc, const char* const* argv, Options& options);

// The usage text, four lines.
const char* usage();

}  // namespace xptrait
