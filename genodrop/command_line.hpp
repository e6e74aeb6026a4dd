// genodrop's command line: genodrop chromosome pedigree [genotypes].
#pragma once

#include "records.hpp"

namespace genodrop {

using FileName = records::Text<255>;

struct Arguments {
  FileName chromosome;
  FileName pedigree;
  FileName genotypes{"gntp.wrk"};
};

// Takes the file names from `argv` (argc entries, the program name first) into `arguments`,
// each cut to 255 characters; a third name replaces the default output name "gntp.wrk", and
// names after it are ignored. Returns false when fewer than two names are given.
bool take_arguments(int argc, const char* const* argv, Arguments& arguments);

// Prints the five lines of the usage text on standard output.
void print_usage();

}  // namespace genodrop
