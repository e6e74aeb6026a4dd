// model2wrk's command line: model2wrk TABLE MODEL
#pragma once

#include <string>

namespace model2wrk {

struct Options {
  std::string table;  // the model table: one line per trait locus, and sigma
  std::string model;  // the model file to write
};

// Reads the arguments into `options`. Returns false when they are not of that form; the
// caller then prints the usage text.
bool parse_command_line(int argc, char** argv, Options& options);

// The usage text.
const char* usage();

}  // namespace model2wrk
