// map2chrom's command line: map2chrom [-2 TABLE2] TABLE CHROMOSOME
#pragma once

#include <string>

#include "common/outcome/outcome.hpp"

namespace map2chrom {

struct Options {
  std::string table;       // markers: name, position, population-1 frequencies [| population 2]
  std::string table2;      // optional: the population-2 frequencies of the same markers
  std::string chromosome;  // the chromosome file to write
};

// Reads the arguments into `options`. Returns the usage text as the end of the run when they
// are not one of the accepted forms.
outcome::Outcome parse(int argc, char** argv, Options& options);

// The usage text.
const char* usage();

}  // namespace map2chrom
