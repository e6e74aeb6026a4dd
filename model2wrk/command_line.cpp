#include "model2wrk/command_line.hpp"

#include "common/command_line/suite_options.hpp"

namespace model2wrk {

outcome::Outcome parse(int argc, char** argv, Options& options) {
  CLI::App app{"", "model2wrk"};
  command_line::configure(app);
  app.add_option("TABLE", options.table)->required();
  app.add_option("MODEL", options.model)->required();
  // A wrong command line is answered with the usage text alone, as it always has been.
  if (command_line::parse(app, argc, argv) || options.table.empty() || options.model.empty())
    return outcome::usage(usage());
  return std::nullopt;
}

const char* usage() {
  return "USAGE: model2wrk TABLE MODEL\n"
         "       TABLE --- tab-separated trait model: one line per trait locus (name, number of\n"
         "                 alleles n, then the n x n genotypic values row by row), and one line\n"
         "                 sigma VALUE (the environmental standard deviation)\n"
         "       MODEL --- model file to write (for \"traitsim\")\n";
}

}  // namespace model2wrk
