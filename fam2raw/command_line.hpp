// fam2raw's command line: fam2raw [--add-missing-parents] [-p population | -c column] FAM RAW
#pragma once

#include <string>

namespace fam2raw {

struct Options {
  std::string fam;             // the pedigree table to read
  std::string raw;             // the raw pedigree to write; its id map goes to raw + ".ids"
  int population = 1;          // every founder's population, unless population_column is set
  int population_column = 0;   // 1-based column holding each founder's population; 0: none
  bool add_missing_parents = false;  // a parent named but not listed becomes a founder
};

// Reads the arguments into `options`. Returns false when they are not one of the accepted
// forms; the caller then prints the usage text.
bool parse_command_line(int argc, char** argv, Options& options);

// The usage text.
const char* usage();

}  // namespace fam2raw
