// The suite's own programs, run as the chain runs them, for the steps whose result is the
// same in every replicate, so that whatever a program refuses is refused in its own words.
#pragma once

#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"

namespace simreps {

// The folder of the running simreps, where the suite's other programs are installed beside it.
std::string own_folder();

// Runs `program` from the folder `bin` with `arguments` in the folder `work`, standard output
// and error captured together in memory. Returns nothing when it ends with status 0, else a
// refusal that names the step and holds what the program printed. `output` gets what it
// printed either way.
outcome::Outcome run_step(const std::string& bin, const std::string& work, const std::string& program,
                          const std::vector<std::string>& arguments, std::string& output);

// The chain once, in `work`, which holds copies of the inputs named pe0.wrk, chromosome.wrk
// and model.wrk: famorder, famlint, genodrop, extract, traitsim, xp-loci, xp-fam, xp-geno and
// xp-trait. The deterministic results (pe2.wrk, map.wrk.sol, pedigree.sol) are kept; the
// random ones only show that the programs accept the inputs. Returns the first refusal, if
// any; `notes` gets what successful steps printed (famlint's notices), one line each,
// prefixed with the step.
outcome::Outcome run_chain_once(const std::string& bin, const std::string& work, std::string& notes);

}  // namespace simreps
