// xp-trait's command line: xp-trait pedigree phen outfile.
#pragma once

#include "common/outcome/outcome.hpp"

namespace xptrait {

struct Options {
  const char* pedigree = nullptr;    // the numbered pedigree
  const char* phenotypes = nullptr;  // traitsim's phenotype file
  const char* outfile = nullptr;     // the SOLAR phenotype file to write
};

// Takes the three file names from `argv` (argc entries, the program name first). Returns the
// usage text as the end of the run unless exactly three are given.
outcome::Outcome parse(int argc, char** argv, Options& options);

// The usage text, four lines.
const char* usage();

}  // namespace xptrait
