#include "map2chrom/command_line.hpp"

#include "common/command_line/suite_options.hpp"

namespace map2chrom {

outcome::Outcome parse(int argc, char** argv, Options& options) {
  CLI::App app{"", "map2chrom"};
  command_line::configure(app);
  CLI::Option* second = app.add_option("-2", options.table2);
  app.add_option("TABLE", options.table)->required();
  app.add_option("CHROMOSOME", options.chromosome)->required();
  // A wrong command line is answered with the usage text alone, as it always has been.
  if (command_line::parse(app, argc, argv) || options.table.empty() || options.chromosome.empty() ||
      (second->count() > 0 && options.table2.empty()))
    return outcome::usage(usage());
  return std::nullopt;
}

const char* usage() {
  return "USAGE: map2chrom [-2 TABLE2] TABLE CHROMOSOME\n"
         "       TABLE --- tab-separated marker table: name, position (cM), then the allele\n"
         "                 frequencies of population 1, optionally a | column and those of\n"
         "                 population 2\n"
         "       -2 TABLE2 --- the population-2 frequencies in a second table of the same markers\n"
         "       CHROMOSOME --- chromosome file to write (for \"genodrop\" and \"xp-loci\")\n";
}

}  // namespace map2chrom
