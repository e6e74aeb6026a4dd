#include "xp-fam/command_line.hpp"

#include "common/command_line/operands.hpp"

namespace xpfam {

outcome::Outcome parse(int argc, const char* const* argv, Options& options) {
  return command_line::exact_operands(argc, argv, usage(), {&options.infile, &options.outfile});
}

const char* usage() {
  return "USAGE: xp-fam pedigree outfile\n"
         "       pedigree  --- input pedigree file (before \"famorder\")\n"
         "       outfile --- output pedigree file in SOLAR format\n";
}

}  // namespace xpfam
