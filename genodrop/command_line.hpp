// genodrop's command line: genodrop chromosome pedigree [genotypes].
#pragma once

#include "common/outcome/outcome.hpp"
#include "common/records/file_name.hpp"

namespace genodrop {

using records::FileName;

struct Options {
  FileName chromosome;
  FileName pedigree;
  FileName genotypes{"gntp.wrk"};
};

// Takes the file names from `argv` (argc entries, the program name first) into `options`; a
// third name replaces the default output name "gntp.wrk", and names after it are ignored.
// Returns the usage text as the end of the run when fewer than two names are given, and the
// stop for a name longer than 255 characters, which would name another file if it were cut.
outcome::Outcome parse(int argc, const char* const* argv, Options& options);

// The five lines of the usage text, each a console message line.
const char* usage();

}  // namespace genodrop
