// The loop over the simulations of a check: each one's result files read, fitted to the
// inputs, and added to the counts.
#pragma once

#include "common/outcome/outcome.hpp"
#include "simcheck/checks.hpp"
#include "simcheck/folders.hpp"
#include "simcheck/inputs.hpp"
#include "simcheck/options.hpp"

namespace simcheck {

// Reads every simulation of `layout` in turn and adds it to `counts`, which it sets up first.
// Returns the refusal of the first file that does not fit, if any.
outcome::Outcome count_simulations(const Options& options, const Layout& layout, const Inputs& inputs,
                                   Counts& counts);

}  // namespace simcheck
