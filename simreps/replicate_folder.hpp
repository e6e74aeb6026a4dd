// One replicate from its seeds to its complete folder in OUTDIR.
#pragma once

#include <cstdint>
#include <string>

#include "common/outcome/outcome.hpp"
#include "simreps/inputs.hpp"
#include "simreps/replicate.hpp"

namespace simreps {

struct Plan {
  const Inputs& inputs;
  std::int32_t first_seed;
  int width;          // of the replicate numbers in folder names
  bool keep_working;  // also write the chain's working files of each replicate
  std::string bin;    // where the suite's programs are (extract, for the working files)
};

// Makes replicate `r` with the tables of `replicate` and writes mark.sol, phen.sol and its
// manifest row under its partial name, then renames the folder. A folder of that name made
// meanwhile by another run is left as it is (it holds the same files). Returns the refusal,
// if any, naming the replicate and the step.
outcome::Outcome make_folder(const Plan& plan, Replicate& replicate, std::int64_t r);

}  // namespace simreps
