// genodrop's command line: genodrop chromosome pedigree [genotypes].
#pragma once

#include "common/outcome/outcome.hpp"
#include "common/records/file_name.hpp"

namespace genodrop {

using records::FileName;

struct Arguments {
  FileName chromosome;
  FileName pedigree;
  FileName genotypes{"gntp.wrk"};
};

// Takes the file names from `argv` (argc entries, the program name first) into `arguments`; a
// third name replaces the default output name "gntp.wrk", and names after it are ignored.
// Sets `usage` and returns nothing when fewer than two names are given. Returns the stop for a
// name longer than 255 characters, which would name another file if it were cut.
outcome::Outcome take_arguments(int argc, const char* const* argv, Arguments& arguments, bool& usage);

// Prints the five lines of the usage text on standard output.
void print_usage();

}  // namespace genodrop
