// xp-geno's command line: xp-geno pedigree mark outfile.
#pragma once

#include <string>

#include "common/outcome/outcome.hpp"

namespace xpgeno {

struct Options {
  std::string pedigree;  // the numbered pedigree
  std::string markers;  // the marker genotypes
  std::string outfile;  // the SOLAR marker file to write
};

// Takes the three file names from `argv` (argc entries, the program name first). Returns the
// usage text as the end of the run unless exactly three are given.
outcome::Outcome parse(int argc, const char* const* argv, Options& options);

// The usage text, four lines.
const char* usage();

}  // namespace xpgeno
