// simcheck's command line.
#pragma once

#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"

namespace simcheck {

struct Options {
  std::string folder;        // DIR: a simulation folder or a simreps OUTDIR
  std::string output;        // where the tables and the figure go; default DIR/simcheck
  std::string pedigree;      // numbered pedigree
  std::string raw_pedigree;  // or a raw pedigree to number
  // The chromosome files, one --chromosome each, in the order of the simulation's chromosomes.
  std::vector<std::string> chromosomes;
  std::string model;
  std::string genotypes = "gntp.wrk", trace, phenotypes = "phtypes.wrk";
  bool no_trait = false;
  bool help = false;
};

// Reads the arguments into `options`. Returns what is wrong with them, if anything.
outcome::Outcome read_options(int argc, char** argv, Options& options);

// The usage text, line end included.
const char* usage();

}  // namespace simcheck
