// The slice a run makes: which of its replicates OUTDIR lacks, making them, and what the run
// says about the study it found.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "simreps/command_line.hpp"
#include "simreps/outdir.hpp"
#include "simreps/replicate_folder.hpp"

namespace simreps {

// The replicates of the slice that are not complete in OUTDIR: missing, or not as their
// completion record lists them (a crash, a power loss or a hand left them so). Says on
// standard error how many of those were there, since they are made again.
std::vector<std::int64_t> missing_replicates(const Options& options, const Found& found);

// Says on standard error which complete replicates lie beyond the count (a smaller -n than
// the study was made with): they stay, and the manifest lists them.
void note_beyond_count(const Options& options, const Found& found);

// A study in a folder this run cannot write (for `reason`): when the slice is complete there
// is nothing to do, and saying so is the answer; else the refusal.
outcome::Outcome report_read_only(const Options& options, const std::string& reason);

// Makes the missing replicates of the slice with the tables of `plan` and rewrites the
// manifest; unless quiet, prints the report. Returns the refusal, if any (one the workers
// printed is told already).
outcome::Outcome make_slice(const Options& options, const Plan& plan, const std::vector<std::int64_t>& todo);

// The slice of the study in OUTDIR (the current folder), from the tables of `tables` and the
// formats of `field` (none: SOLAR's alone): the folders of complete replicates widened to the
// count's digits, the claims of lost runs removed, then the missing replicates made by
// make_slice.
outcome::Outcome make_study_slice(const Options& options, const Inputs& tables, std::int32_t first_seed,
                                  const FieldFiles* field);

}  // namespace simreps
