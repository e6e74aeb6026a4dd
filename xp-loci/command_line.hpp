// xp-loci's command line: xp-loci mod-map [outmap].
#pragma once

#include "common/outcome/outcome.hpp"
#include "common/records/file_name.hpp"

namespace xploci {

struct Options {
  records::FileName chromosome;
  records::FileName map{"map.wrk.sol"};
};

// Takes the file names from `argv` (argc entries, the program name first) into `options`;
// names after the second are ignored. Returns the usage text as the end of the run when no
// name is given, and the stop for the first name longer than 255 characters, which would name
// another file if it were cut.
outcome::Outcome parse(int argc, const char* const* argv, Options& options);

// The four usage lines, each a console message line (one leading blank).
const char* usage();

}  // namespace xploci
