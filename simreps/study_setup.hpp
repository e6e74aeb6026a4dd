// The study a run asks for, set up in OUTDIR: the record it would write (formats, rate, names,
// the inputs' checksums), the user's tables converted, OUTDIR entered, and the record there
// checked against the run, or begun.
#pragma once

#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "simreps/command_line.hpp"
#include "simreps/imports.hpp"
#include "simreps/study.hpp"

namespace simreps {

// The record of the study `options` ask for, without its first seed and its inputs.
Study requested_study(const Options& options);

// The inputs as the user named them: the raw pedigree, the chromosome files, the model.
std::vector<std::string> given_inputs(const Options& options);

// The inputs' absolute paths into `inputs` (the raw pedigree, the chromosome files, the
// model), and their checksums, those of the files as given, into `study`.
outcome::Outcome read_checksums(const Options& options, std::vector<std::string>& inputs, Study& study);

// The user's tables converted by the importers' code (`inputs` are the files' absolute
// paths), and how the study names its individuals. The refusal is whole: every line starts
// with "simreps: ".
outcome::Outcome import_tables(const Options& options, const std::vector<std::string>& inputs, Imports& imports,
                               Study& study);

// Creates OUTDIR when missing and makes it the current folder.
outcome::Outcome enter_outdir(const Options& options);

// Checks the study in OUTDIR (the current folder) against this run, and with `begin` writes
// its record when there is none yet. Sets the first seed in `study`: the one given, else the
// recorded one, else (when beginning) one drawn at random. Returns the refusal, if any.
// Runs that begin slices of one study at once meet here under the lock, so all but
// the first take the first one's record.
outcome::Outcome open_study(const Options& options, bool begin, Study& study);

}  // namespace simreps
