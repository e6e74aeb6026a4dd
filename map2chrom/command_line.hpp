// map2chrom's command line: map2chrom [-2 TABLE2] TABLE CHROMOSOME
#pragma once

#include <string>

namespace map2chrom {

struct Options {
  std::string table;       // markers: name, position, population-1 frequencies [| population 2]
  std::string table2;      // optional: the population-2 frequencies of the same markers
  std::string chromosome;  // the chromosome file to write
};

// Reads the arguments into `options`. Returns false when they are not one of the accepted
// forms; the caller then prints the usage text.
bool parse_command_line(int argc, char** argv, Options& options);

// The usage text.
const char* usage();

}  // namespace map2chrom
