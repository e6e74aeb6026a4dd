#include "genodrop/command_line.hpp"

namespace genodrop {

outcome::Outcome parse(int argc, const char* const* argv, Options& options) {
  if (argc < 3) return outcome::usage(usage());
  FileName* targets[] = {&options.chromosome, &options.pedigree, &options.genotypes};
  for (int position = 1; position <= 3 && position < argc; ++position) {
    if (outcome::Outcome refused = records::take_file_name(argv[position], position, *targets[position - 1]))
      return refused;
  }
  return std::nullopt;
}

const char* usage() {
  return " USAGE: genodrop chromosome pedigree <genotypes>\n"
         "        chromosome --- file with genetic map and allelic frequency data\n"
         "        pedigree --- file of pedigree data\n"
         "        genotypes (optionally) --- output file name\n"
         "                  if missed, name \"gntp.wrk\" used  \n";
}

}  // namespace genodrop
