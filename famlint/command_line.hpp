// famlint's command line: famlint pedigree_file_name.
#pragma once

#include <string_view>

#include "common/outcome/outcome.hpp"

namespace famlint {

struct Options {
  std::string_view pedigree;  // as given, trailing blanks kept
};

// Takes the file name from `argv` (argc entries, the program name first); names after it are
// ignored. Returns the usage text as the end of the run when no name is given, and the stop for
// a name longer than 255 characters: a cut name would open, and a missing file be created,
// under a name the user never gave.
outcome::Outcome parse(int argc, const char* const* argv, Options& options);

// The two usage lines, each a console message line (one leading blank).
const char* usage();

}  // namespace famlint
