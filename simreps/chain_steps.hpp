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

// The name of chromosome k's (from 1) working file `stem``ending` in a study of `count`
// chromosomes: "chromosome.wrk" with one, "chromosome.2.wrk" with several.
std::string chromosome_file(const std::string& stem, std::size_t k, std::size_t count, const std::string& ending);

// The chain once, in `work`, which holds copies of the inputs named pe0.wrk, chromosome.wrk
// (chromosome_file's names for several chromosomes) and model.wrk: famorder, famlint,
// genodrop, extract, traitsim, xp-loci, xp-fam, xp-geno and xp-trait; with several
// chromosomes genodrop, extract, xp-loci and xp-geno once per chromosome, and traitsim on the
// chromosomes' QTL genotype files merged into qtl.wrk. The deterministic results (pe2.wrk,
// the maps, pedigree.sol) are kept; the random ones only show that the programs accept the
// inputs. Returns the first refusal, if any; `notes` gets what successful steps printed
// (famlint's notices), one line each, prefixed with the step.
outcome::Outcome run_chain_once(const std::string& bin, const std::string& work, std::string& notes,
                                std::size_t chromosomes = 1);

}  // namespace simreps
