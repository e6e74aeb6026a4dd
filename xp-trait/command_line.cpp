#include "xp-trait/command_line.hpp"

#include "common/command_line/operands.hpp"

namespace xptrait {

outcome::Outcome parse(int argc, const char* const* argv, Options& options) {
  return command_line::exact_operands(argc, argv, usage(), {&options.pedigree, &options.phenotypes, &options.outfile});
}

const char* usage() {
  return "USAGE: xp-trait pedigree phen outfile\n"
         "       pedigree  --- input pedigree file (after \"famorder\")\n"
         "       phen --- phenotypes file (from \"traitsim\")\n"
         "       outfile --- output phenotype file in SOLAR format\n";
}

}  // namespace xptrait
