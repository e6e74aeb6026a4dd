// The chain's trial: before any replicate, the suite's programs run once, as a user runs
// them, on copies of the inputs in a working folder of OUTDIR. Whatever a program refuses is
// refused here in its own words; the deterministic files (pedigree.sol, map.wrk.sol) are
// taken from it, and the tables are read from its working files.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"

namespace simreps {

class Trial {
 public:
  // The working folder .work.<host>.<pid> in the current folder (OUTDIR). Removes the ones of
  // runs on this host that were killed during their trial.
  Trial();
  // Removes the working folder.
  ~Trial();
  Trial(const Trial&) = delete;
  Trial& operator=(const Trial&) = delete;

  // Copies the raw pedigree, the chromosome files and the model `inputs` (in that order) into
  // the folder under the chain's names and runs the chain there; an input with a text in
  // `texts` (made by an importer from the user's table) is written from it instead. Returns
  // the first refusal; `warnings` gets what the programs printed in steps that succeeded, one
  // line each, starting with the program's name.
  outcome::Outcome run(const std::string& bin, const std::vector<std::string>& inputs,
                       const std::vector<std::optional<std::string>>& texts, std::vector<std::string>& warnings);

  // Moves `files` of the trial into the current folder, replacing what is there (the same
  // files, written by any run of the study).
  outcome::Outcome keep(const std::vector<std::string>& files);
  // The same for the file `file` of the trial kept as `kept`, its first line replaced by
  // `first_line`.
  outcome::Outcome keep_relabelled(const std::string& file, const std::string& kept, const std::string& first_line);

  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
};

}  // namespace simreps
