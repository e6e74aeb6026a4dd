// Where a check finds its files: a simulation folder, or a simreps study with its replicate
// folders and its record of the inputs.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "common/outcome/outcome.hpp"

#include "simcheck/options.hpp"

namespace simcheck {

struct Layout {
  bool study = false;
  std::string pedigree, raw_pedigree, model;  // model empty: no trait
  // The chromosome files in the study's order, and the names the report gives them.
  std::vector<std::string> chromosomes, chromosome_names;
  // The folders holding genotype, trace and phenotype files: DIR itself, or rep1.., in order.
  std::vector<std::string> simulations;
  std::vector<std::string> labels;  // "" for a single simulation, else the folder's name
  // For a study of a .fam, each "famid,id" of its SOLAR files and fam2raw's number for it.
  std::unordered_map<std::string, std::string> fam_ids;
};

// Works out the files of `options.folder`. Returns the refusal, if any.
outcome::Outcome find_layout(const Options& options, Layout& layout);

// `name` within `folder` unless it is absolute.
std::string within(const std::string& folder, const std::string& name);

// The name of chromosome k's (0-based) file of `count` where one chromosome's is `name`: the
// name itself for one chromosome, else with ".<k+1>" before its last dot, as simreps names a
// replicate's files (gntp.2.wrk, gntp.2.wrk_tmp, mark.2.wrk).
std::string of_chromosome(const std::string& name, std::size_t k, std::size_t count);

}  // namespace simcheck
