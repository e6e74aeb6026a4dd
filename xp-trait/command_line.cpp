#include "xp-trait/command_line.hpp"

namespace xptrait {

outcome::Outcome parse(int argc, char** argv, Options& options) {
  if (argc != 4) return outcome::usage(usage());
  options = {argv[1], argv[2], argv[3]};
  return std::nullopt;
}

const char* usage() {
  return "USAGE: xp-trait pedigree phen outfile\n"
         "       pedigree  --- input pedigree file (after \"famorder\")\n"
         "       phen --- phenotypes file (from \"traitsim\")\n"
         "       outfile --- output phenotype file in SOLAR format\n";
}

}  // namespace xptrait
