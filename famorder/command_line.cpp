#include "famorder/command_line.hpp"

#include "common/command_line/operands.hpp"

namespace famorder {

outcome::Outcome parse(int argc, const char* const* argv, Options& options) {
  return command_line::exact_operands(argc, argv, usage(), {&options.infile, &options.outfile});
}

const char* usage() {
  return "USAGE: famorder infile outfile\n"
         "       infile  --- input pedigree file\n"
         "       outfile --- output pedigree file\n";
}

}  // namespace famorder
