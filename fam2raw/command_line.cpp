#include "fam2raw/command_line.hpp"

#include "common/command_line/suite_options.hpp"

namespace fam2raw {

outcome::Outcome parse(int argc, char** argv, Options& options) {
  CLI::App app{"", "fam2raw"};
  command_line::configure(app);
  long long population = options.population, column = 0;
  app.add_flag("--add-missing-parents", options.add_missing_parents);
  CLI::Option* given_population = command_line::add_whole_number(app, "-p", population, 1, 2);
  // Columns 1 to 5 are the family, the id, the parents and the sex.
  command_line::add_whole_number(app, "-c", column, 6, 1000000)->excludes(given_population);
  app.add_option("FAM", options.fam)->required();
  app.add_option("RAW", options.raw)->required();
  // A wrong command line is answered with the usage text alone, as it always has been.
  if (command_line::parse(app, argc, argv) || options.fam.empty() || options.raw.empty())
    return outcome::usage(usage());
  options.population = static_cast<int>(population);
  options.population_column = static_cast<int>(column);
  return std::nullopt;
}

const char* usage() {
  return "USAGE: fam2raw [--add-missing-parents] [-p population | -c column] FAM RAW\n"
         "       FAM --- pedigree table: family, id, father, mother, sex, ... per line\n"
         "               (a PLINK .fam file or a LINKAGE pre-makeped pedigree)\n"
         "       RAW --- raw pedigree to write (for \"famorder\" and \"xp-fam\");\n"
         "               RAW.ids maps its ids back to the family and id of FAM\n"
         "       -p population --- population of every founder, 1 or 2 (default 1)\n"
         "       -c column --- read each founder's population (1 or 2) from this column of FAM\n"
         "       --add-missing-parents --- a parent that FAM names but does not list becomes a\n"
         "               founder of its child's family (population as -p gives it)\n";
}

}  // namespace fam2raw
