#include "fam2raw/command_line.hpp"

#include <charconv>
#include <string_view>
#include <vector>

#include "common/command_line/leading_options.hpp"

namespace fam2raw {

namespace {

// A whole decimal number in [low, high]; anything else (a sign, a trailing letter) is refused
// so that "-c 6x" cannot quietly mean column 6.
bool parse_bounded(std::string_view text, int low, int high, int& value) {
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high) return false;
  value = v;
  return true;
}

}  // namespace

bool parse_command_line(int argc, char** argv, Options& options) {
  bool population_given = false, column_given = false;
  auto take = [&](std::string_view name, std::string_view value) {
    if (name == "-p" && !population_given) {
      population_given = true;
      return parse_bounded(value, 1, 2, options.population);
    }
    if (name == "-c" && !column_given) {
      column_given = true;
      // Columns 1 to 5 are the family, the id, the parents and the sex.
      return parse_bounded(value, 6, 1000000, options.population_column);
    }
    return false;
  };
  // The one option without a value is taken out before the others are read in pairs.
  std::vector<char*> rest{argv[0]};
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--add-missing-parents" && !options.add_missing_parents) {
      options.add_missing_parents = true;
      continue;
    }
    rest.push_back(argv[i]);
    // Options stop at "--" or the first operand; an option's value is never a flag.
    if (arg == "--" || arg.size() < 2 || arg[0] != '-') {
      for (++i; i < argc; ++i) rest.push_back(argv[i]);
      break;
    }
    if (i + 1 < argc) rest.push_back(argv[++i]);
  }
  return command_line::read_command_line(static_cast<int>(rest.size()), rest.data(), take,
                                         {&options.fam, &options.raw}) &&
         !(population_given && column_given);
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
