// famorder's command line: famorder infile outfile.
#pragma once

#include <string>

#include "common/outcome/outcome.hpp"

namespace famorder {

struct Options {
  std::string infile;   // the raw pedigree
  std::string outfile;  // the numbered pedigree to write
};

// Takes the two file names from `argv` (argc entries, the program name first). Returns the
// usage text as the end of the run unless exactly two are given.
outcome::Outcome parse(int argc, const char* const* argv, Options& options);

// The usage text, three lines.
const char* usage();

}  // namespace famorder
