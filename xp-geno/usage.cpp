#include "xp-geno/usage.hpp"

#include <cstdio>

namespace xpgeno {

void print_usage() {
  std::fputs(
      "USAGE: xp-geno pedigree mark outfile\n"
      "       pedigree  --- input pedigree file (after \"famorder\")\n"
      "       mark --- marker genotypes (from \"genodrop\" via \"extract\")\n"
      "       outfile --- output marker file in SOLAR format\n",
      stdout);
}

}  // namespace xpgeno
