// A study simreps made straight from the user's tables (a .fam, a marker table, a model table)
// records those tables; simcheck checks it against the files the importers make of them, and
// its SOLAR files, which name individuals by the .fam's family and id, against xp-geno's and
// xp-trait's files by fam2raw's numbers.
#pragma once

#include <string>

#include "common/outcome/outcome.hpp"
#include "simcheck/folders.hpp"
#include "simcheck/solar_files.hpp"

namespace simcheck {

// Converts the tables among the raw pedigree, the chromosome file and the model of `layout`
// with the importers' code into `output` (pe0.wrk, chromosome.wrk, model.wrk), and points
// `layout` at them; with a .fam, fills layout.fam_ids. Returns an importer's refusal.
outcome::Outcome convert_user_tables(Layout& layout, const std::string& output);

// compare_solar on `file`, whose SOLAR file, in a study of a .fam (layout.fam_ids filled), names
// individuals by the famid and id columns: a copy of it in the folder `scratch` with each
// "famid,id" replaced by fam2raw's number is compared, and the message names the file itself.
// An id the map lacks is left as it is, so the comparison shows it.
std::string compare_solar_by_suite_ids(const Layout& layout, const SolarFile& file, const std::string& scratch);

}  // namespace simcheck
