// xp-geno's command line: xp-geno pedigree mark outfile.
#pragma once

#include "common/outcome/outcome.hpp"

namespace xpgeno {

struct Options {
  const char* pedigree = nullptr;  // the numbered pedigree
  const char* markers = nullptr;   // the marker genotypes
  const char* outfile = nullptr;   // the SOLAR marker file to write
};

// Takes the three file names from `argv` (argc entries, the program name first). Returns the
// usage text as the end of the run unless exactly three are given.
outcome::Outcome parse(int argc, char** argv, Options& options);

// The usage text, four lines.
const char* usage();

}  // namespace xpgeno
