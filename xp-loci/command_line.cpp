#include "xp-loci/command_line.hpp"

namespace xploci {

outcome::Outcome parse(int argc, const char* const* argv, Options& options) {
  if (argc < 2) return outcome::usage(usage());
  return records::take_file_names(argc, argv, {&options.chromosome, &options.map});
}

const char* usage() {
  return " USAGE: xp-loci  mod-map <outmap>\n"
         "        mod-map --- file containing genetic map and  allelic frequencies (map file for \"genodrop\")\n"
         "        outmap (optionally) --- genetic map in SOLAR format\n"
         "                if missed, name \"map.wrk.sol\" used  \n";
}

}  // namespace xploci
