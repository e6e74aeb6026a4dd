// Running replicates on several cores: worker processes forked from simreps after the inputs
// are read, so each has the tables and its own generator state (the generator keeps one state
// per process).
#pragma once

#include <cstdint>
#include <vector>

#include "simreps/replicate_folder.hpp"

namespace simreps {

// Makes the replicates `todo` with `jobs` workers, which take the next replicate as they
// become free. The first refusal is printed on standard output, the workers make no new
// replicate after it, and the result is 1; else 0. `progress` shows the progress line.
int run_workers(const Plan& plan, const std::vector<std::int64_t>& todo, int jobs, bool progress);

}  // namespace simreps
