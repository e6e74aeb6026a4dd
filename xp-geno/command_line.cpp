#include "xp-geno/command_line.hpp"

#include "common/command_line/operands.hpp"

namespace xpgeno {

outcome::Outcome parse(int argc, const char* const* argv, Options& options) {
  return command_line::exact_operands(argc, argv, usage(), {&options.pedigree, &options.markers, &options.outfile});
}

const char* usage() {
  return "USAGE: xp-geno pedigree mark outfile\n"
         "       pedigree  --- input pedigree file (after \"famorder\")\n"
         "       mark --- marker genotypes (from \"genodrop\" via \"extract\")\n"
         "       outfile --- output marker file in SOLAR format\n";
}

}  // namespace xpgeno
