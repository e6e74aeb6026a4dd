#include "extract/command_line.hpp"

namespace extract {

outcome::Outcome parse(int argc, char** argv, Options& options) {
  if (argc != 4) return outcome::usage(usage());
  options = {argv[1], argv[2], argv[3]};
  return std::nullopt;
}

const char* usage() {
  return "USAGE: extract genotypes qtlfile markerfile\n"
         "       genotypes --- genotype file (from \"genodrop\")\n"
         "       qtlfile --- output: the loci whose names contain \"qtl\" (for \"traitsim\")\n"
         "       markerfile --- output: all other loci (for \"xp-geno\")\n";
}

}  // namespace extract
