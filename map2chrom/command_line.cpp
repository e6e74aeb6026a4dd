#include "map2chrom/command_line.hpp"

#include <string_view>

#include "common/command_line/leading_options.hpp"

namespace map2chrom {

bool parse_command_line(int argc, char** argv, Options& options) {
  auto take = [&](std::string_view name, std::string_view value) {
    if (name != "-2" || !options.table2.empty() || value.empty()) return false;
    options.table2 = value;
    return true;
  };
  return command_line::read_command_line(argc, argv, take, {&options.table, &options.chromosome});
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
