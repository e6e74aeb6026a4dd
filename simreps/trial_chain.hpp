// The chain's trial of a run, and what the study takes from it: the tables the replicates are
// made from, the other formats' files, and the files that are the same in every replicate
// (pedigree.sol, the SOLAR maps, Merlin's data and map files), kept in OUTDIR.
#pragma once

#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "simreps/command_line.hpp"
#include "simreps/formats.hpp"
#include "simreps/imports.hpp"
#include "simreps/inputs.hpp"
#include "simreps/study.hpp"

namespace simreps {

// Runs the chain's trial in OUTDIR (the current folder) on `inputs` (absolute paths, or the
// texts of `imports`) and reads from it the tables into `tables` and the field files into
// `field`; then begins the study (open_study) and keeps its deterministic files. `warnings`
// gets the programs' warnings. Returns the first refusal.
outcome::Outcome trial_chain(const Options& options, const std::vector<std::string>& inputs, const Imports& imports,
                             Study& study, Inputs& tables, FieldFiles& field, std::vector<std::string>& warnings);

// The trial's warnings, once per run however many replicates it makes, on standard error (-q
// keeps them) and in OUTDIR/warnings.txt, where a slice run in the background leaves them
// too; with PLINK's files, which markers they leave out.
outcome::Outcome pass_on(const Options& options, const std::vector<std::string>& warnings, const FieldFiles& field);

}  // namespace simreps
