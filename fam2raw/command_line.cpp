#include "fam2raw/command_line.hpp"

#include <charconv>
#include <cstdio>
#include <string_view>

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
  int i = 1;
  for (; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") {
      ++i;
      break;
    }
    if (arg.size() < 2 || arg[0] != '-') break;
    if (i + 1 >= argc) return false;
    const std::string_view value = argv[++i];
    if (arg == "-p" && !population_given) {
      if (!parse_bounded(value, 1, 2, options.population)) return false;
      population_given = true;
    } else if (arg == "-c" && !column_given) {
      // Columns 1 to 5 are the family, the id, the parents and the sex.
      if (!parse_bounded(value, 6, 1000000, options.population_column)) return false;
      column_given = true;
    } else {
      return false;
    }
  }
  if (population_given && column_given) return false;
  if (argc - i != 2) return false;
  options.fam = argv[i];
  options.raw = argv[i + 1];
  return !options.fam.empty() && !options.raw.empty();
}

void print_usage() {
  std::fputs(
      "USAGE: fam2raw [-p population | -c column] FAM RAW\n"
      "       FAM --- pedigree table: family, id, father, mother, sex, ... per line\n"
      "               (a PLINK .fam file or a LINKAGE pre-makeped pedigree)\n"
      "       RAW --- raw pedigree to write (for \"famorder\" and \"xp-fam\");\n"
      "               RAW.ids maps its ids back to the family and id of FAM\n"
      "       -p population --- population of every founder, 1 or 2 (default 1)\n"
      "       -c column --- read each founder's population (1 or 2) from this column of FAM\n",
      stdout);
}

}  // namespace fam2raw
