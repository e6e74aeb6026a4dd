// One replicate from its seeds to its complete folder in OUTDIR.
//
// A replicate is made under its claim (simreps/claim.hpp), in a folder under its partial
// name, with its completion record written last. Finished replicates are published in
// batches: one flush of the file system for the whole batch, then their renames, then one
// flush of OUTDIR, so that a folder named rep<r> has reached the disk whole before its name
// does, at the cost of one flush for many replicates.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "simreps/claim.hpp"
#include "simreps/formats.hpp"
#include "simreps/inputs.hpp"
#include "simreps/replicate.hpp"

namespace simreps {

struct Plan {
  const Inputs& inputs;
  std::int32_t first_seed;
  int width;          // of the replicate numbers in folder names
  bool keep_working;  // also write the chain's working files of each replicate
  std::string bin;    // where the suite's programs are (extract, for the working files)
  const FieldFiles* field = nullptr;  // the formats; none given: SOLAR's alone
};

// A replicate made under its partial name, waiting to be published; its claim is held until
// it is.
struct Made {
  std::int64_t replicate = 0;
  std::string partial, name;
  Claim claim;
};

// Makes replicate `r`, whose claim this run holds in `claim`, with the tables of `replicate`:
// writes mark.sol and phen.sol (or the files of the plan's formats), its manifest row and its completion record under its partial
// name and adds it to `batch`. A complete folder of that name, made meanwhile by another run,
// is left as it is and nothing is added; an incomplete one, and partial folders of `r` left by
// lost runs, are removed first. Returns the refusal, if any, naming the replicate and the
// step.
outcome::Outcome make_folder(const Plan& plan, Replicate& replicate, std::int64_t r, Claim claim,
                             std::vector<Made>& batch);

// Publishes the replicates of `batch` (flush, renames, flush of OUTDIR), lets their claims go
// and empties it. Returns what failed.
outcome::Outcome publish(std::vector<Made>& batch);

}  // namespace simreps
