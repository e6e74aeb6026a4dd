// xp-fam's command line: xp-fam pedigree outfile.
#pragma once

#include <string>

#include "common/outcome/outcome.hpp"

namespace xpfam {

struct Options {
  std::string infile;   // the raw pedigree
  std::string outfile;  // the SOLAR pedigree file to write
};

// Takes the two file names from `argv` (argc entries, the program name first). Returns the
// usage text as the end of the run unless exactly two are given.
outcome::Outcome parse(int argc, const char* const* argv, Options& options);

// The usage text, three lines.
const char* usage();

}  // namespace xpfam
