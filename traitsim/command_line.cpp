#include "traitsim/command_line.hpp"

#include "common/records/file_name.hpp"

namespace traitsim {

outcome::Outcome parse(int argc, const char* const* argv, Options& options) {
  if (argc < 3) return outcome::usage(usage());
  std::string_view* targets[] = {&options.qtl, &options.model, &options.phenotypes};
  for (int position = 1; position <= 3 && position < argc; ++position) {
    records::FileName checked;
    if (outcome::Outcome refused = records::take_file_name(argv[position], position, checked)) return refused;
    *targets[position - 1] = argv[position];
  }
  return std::nullopt;
}

const char* usage() {
  return " USAGE: traitsim qtl model <phenotypes>\n"
         "        qtl --- file with qtl-genotypes, coming from  \"genodrop\" via \"extract\"\n"
         "        model --- file containing mode of inheritance for QT\n"
         "        phenotypes (optionally) --- output file name\n"
         "                  if missed, name \"phtypes.wrk\" used  \n";
}

}  // namespace traitsim
