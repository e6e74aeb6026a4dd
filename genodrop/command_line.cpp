#include "genodrop/command_line.hpp"

namespace genodrop {

outcome::Outcome take_arguments(int argc, const char* const* argv, Arguments& arguments, bool& usage) {
  usage = argc < 3;
  if (usage) return std::nullopt;
  FileName* targets[] = {&arguments.chromosome, &arguments.pedigree, &arguments.genotypes};
  for (int position = 1; position <= 3 && position < argc; ++position) {
    if (outcome::Outcome refused = records::take_file_name(argv[position], position, *targets[position - 1]))
      return refused;
  }
  return std::nullopt;
}

void print_usage() {
  records::message({"USAGE: genodrop chromosome pedigree <genotypes>"});
  records::message({"       chromosome --- file with genetic map and allelic frequency data"});
  records::message({"       pedigree --- file of pedigree data"});
  records::message({"       genotypes (optionally) --- output file name"});
  records::message({"                 if missed, name \"gntp.wrk\" used  "});
}

}  // namespace genodrop
