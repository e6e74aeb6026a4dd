// A replicate's two SOLAR files written into its folder, each checksummed for the folder's
// completion record as it is written.
#pragma once

#include <string>

#include "common/outcome/outcome.hpp"
#include "simreps/completion.hpp"
#include "simreps/inputs.hpp"
#include "simreps/replicate.hpp"

namespace simreps {

// Writes mark.sol (a piece at a time, never whole in memory) and phen.sol into `folder` and
// adds their checksums to `sums`. Returns what failed; a file not finished is removed.
outcome::Outcome write_solar_files(const Inputs& inputs, const Replicate& replicate, const std::string& folder,
                                   FileSums& sums);

}  // namespace simreps
