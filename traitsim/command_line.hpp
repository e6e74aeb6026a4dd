// traitsim's command line: traitsim qtl model [phenotypes].
#pragma once

#include <string_view>

#include "common/outcome/outcome.hpp"

namespace traitsim {

// The file names as given (trailing blanks kept: they name the file the user named).
struct Options {
  std::string_view qtl;
  std::string_view model;
  std::string_view phenotypes = "phtypes.wrk";
};

// Takes the file names from `argv` (argc entries, the program name first) into `options`;
// names after the third are ignored. Returns the usage text as the end of the run when fewer
// than two names are given, and the stop for the first name longer than 255 characters, which
// would name another file if it were cut.
outcome::Outcome parse(int argc, const char* const* argv, Options& options);

// The five usage lines, each a console message line (one leading blank).
const char* usage();

}  // namespace traitsim
