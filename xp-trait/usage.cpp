#include "xp-trait/usage.hpp"

#include <cstdio>

namespace xptrait {

void print_usage() {
  std::fputs(
      "USAGE: xp-trait pedigree phen outfile\n"
      "       pedigree  --- input pedigree file (after \"famorder\")\n"
      "       phen --- phenotypes file (from \"traitsim\")\n"
      "       outfile --- output phenotype file in SOLAR format\n",
      stdout);
}

}  // namespace xptrait
