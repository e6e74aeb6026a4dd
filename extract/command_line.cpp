#include "extract/command_line.hpp"

#include "common/command_line/operands.hpp"

namespace extract {

outcome::Outcome parse(int argc, const char* const* argv, Options& options) {
  return command_line::exact_operands(argc, argv, usage(), {&options.genotypes, &options.qtl, &options.markers});
}

const char* usage() {
  return "USAGE: extract genotypes qtlfile markerfile\n"
         "       genotypes --- genotype file (from \"genodrop\")\n"
         "       qtlfile --- output: the loci whose names contain \"qtl\" (for \"traitsim\")\n"
         "       markerfile --- output: all other loci (for \"xp-geno\")\n";
}

}  // namespace extract
