#include "command_line.hpp"

namespace genodrop {

bool take_arguments(int argc, const char* const* argv, Arguments& arguments) {
  if (argc < 3) return false;
  arguments.chromosome = FileName(argv[1]);
  arguments.pedigree = FileName(argv[2]);
  if (argc > 3) arguments.genotypes = FileName(argv[3]);
  return true;
}

void print_usage() {
  records::message({"USAGE: genodrop chromosome pedigree <genotypes>"});
  records::message({"       chromosome --- file with genetic map and allelic frequency data"});
  records::message({"       pedigree --- file of pedigree data"});
  records::message({"       genotypes (optionally) --- output file name"});
  records::message({"                 if missed, name \"gntp.wrk\" used  "});
}

}  // namespace genodrop
