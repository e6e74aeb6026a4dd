#include "famorder/command_line.hpp"

namespace famorder {

outcome::Outcome parse(int argc, const char* const* argv, Options& options) {
  if (argc != 3) return outcome::usage(usage());
  options.infile = argv[1];
  options.outfile = argv[2];
  return std::nullopt;
}

const char* usage() {
  return "USAGE: famorder infile outfile\n"
         "       infile  --- input pedigree file\n"
         "       outfile --- output pedigree file\n";
}

}  // namespace famorder
