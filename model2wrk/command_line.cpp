#include "model2wrk/command_line.hpp"

#include <string_view>

#include "common/command_line/leading_options.hpp"

namespace model2wrk {

bool parse_command_line(int argc, char** argv, Options& options) {
  auto take = [](std::string_view, std::string_view) { return false; };  // no options
  return command_line::read_command_line(argc, argv, take, {&options.table, &options.model});
}

const char* usage() {
  return "USAGE: model2wrk TABLE MODEL\n"
         "       TABLE --- tab-separated trait model: one line per trait locus (name, number of\n"
         "                 alleles n, then the n x n genotypic values row by row), and one line\n"
         "                 sigma VALUE (the environmental standard deviation)\n"
         "       MODEL --- model file to write (for \"traitsim\")\n";
}

}  // namespace model2wrk
