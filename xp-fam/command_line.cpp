#include "xp-fam/command_line.hpp"

namespace xpfam {

outcome::Outcome parse(int argc, const char* const* argv, Options& options) {
  if (argc != 3) return outcome::usage(usage());
  options.infile = argv[1];
  options.outfile = argv[2];
  return std::nullopt;
}

const char* usage() {
  return "USAGE: xp-fam pedigree outfile\n"
         "       pedigree  --- input pedigree file (before \"famorder\")\n"
         "       outfile --- output pedigree file in SOLAR format\n";
}

}  // namespace xpfam
