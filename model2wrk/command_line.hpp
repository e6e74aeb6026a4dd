// model2wrk's command line: model2wrk TABLE MODEL
#pragma once

#include <string>

#include "common/outcome/outcome.hpp"

namespace model2wrk {

struct Options {
  std::string table;  // the model table: one line per trait locus, and sigma
  std::string model;  // the model file to write
};

// Reads the arguments into `options`. Returns the usage text as the end of the run when they
// are not of that form.
outcome::Outcome parse(int argc, char** argv, Options& options);

// The usage text.
const char* usage();

}  // namespace model2wrk
