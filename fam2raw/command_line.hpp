// fam2raw's command line: fam2raw [--add-missing-parents] [-p population | -c column] FAM RAW
#pragma once

#include <string>

#include "common/outcome/outcome.hpp"

namespace fam2raw {

struct Options {
  std::string fam;             // the pedigree table to read
  std::string raw;             // the raw pedigree to write; its id map goes to raw + ".ids"
  int population = 1;          // every founder's population, unless population_column is set
  int population_column = 0;   // 1-based column holding each founder's population; 0: none
  bool add_missing_parents = false;  // a parent named but not listed becomes a founder
};

// Reads the arguments into `options`. Returns the usage text as the end of the run when they
// are not one of the accepted forms.
outcome::Outcome parse(int argc, char** argv, Options& options);

// The usage text.
const char* usage();

}  // namespace fam2raw
