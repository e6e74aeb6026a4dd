#include "extract/usage.hpp"

#include <cstdio>

namespace extract {

void print_usage() {
  std::fputs(
      "USAGE: extract genotypes qtlfile markerfile\n"
      "       genotypes --- genotype file (from \"genodrop\")\n"
      "       qtlfile --- output: the loci whose names contain \"qtl\" (for \"traitsim\")\n"
      "       markerfile --- output: all other loci (for \"xp-geno\")\n",
      stdout);
}

}  // namespace extract
