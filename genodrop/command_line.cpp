#include "genodrop/command_line.hpp"

namespace genodrop {

outcome::Outcome parse(int argc, const char* const* argv, Options& options) {
  if (argc < 3) return outcome::usage(usage());
  return records::take_file_names(argc, argv, {&options.chromosome, &options.pedigree, &options.genotypes});
}

const char* usage() {
  return " USAGE: genodrop chromosome pedigree <genotypes>\n"
         "        chromosome --- file with genetic map and allelic frequency data\n"
         "        pedigree --- file of pedigree data\n"
         "        genotypes (optionally) --- output file name\n"
         "                  if missed, name \"gntp.wrk\" used  \n";
}

}  // namespace genodrop
