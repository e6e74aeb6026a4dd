#include "xp-loci/command_line.hpp"

namespace xploci {

outcome::Outcome parse(int argc, const char* const* argv, Options& options) {
  if (argc < 2) return outcome::usage(usage());
  records::FileName* targets[] = {&options.chromosome, &options.map};
  for (int position = 1; position <= 2 && position < argc; ++position) {
    if (outcome::Outcome refused = records::take_file_name(argv[position], position, *targets[position - 1]))
      return refused;
  }
  return std::nullopt;
}

const char* usage() {
  return " USAGE: xp-loci  mod-map <outmap>\n"
         "        mod-map --- file containing genetic map and  allelic frequencies (map file for \"genodrop\")\n"
         "        outmap (optionally) --- genetic map in SOLAR format\n"
         "                if missed, name \"map.wrk.sol\" used  \n";
}

}  // namespace xploci
