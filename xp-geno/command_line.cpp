#include "xp-geno/command_line.hpp"

namespace xpgeno {

outcome::Outcome parse(int argc, char** argv, Options& options) {
  if (argc != 4) return outcome::usage(usage());
  options = {argv[1], argv[2], argv[3]};
  return std::nullopt;
}

const char* usage() {
  return "USAGE: xp-geno pedigree mark outfile\n"
         "       pedigree  --- input pedigree file (after \"famorder\")\n"
         "       mark --- marker genotypes (from \"genodrop\" via \"extract\")\n"
         "       outfile --- output marker file in SOLAR format\n";
}

}  // namespace xpgeno
