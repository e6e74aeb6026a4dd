// The whole import of a pedigree table, for fam2raw and for the programs that take a .fam in
// place of a raw pedigree: rows read and checked, missing parents added when asked, numbered
// and linked.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/outcome/outcome.hpp"
#include "fam2raw/command_line.hpp"
#include "fam2raw/fam_table.hpp"
#include "fam2raw/raw_pedigree.hpp"

namespace fam2raw {

// Imports the table held in `text` (a byte-order mark at its start is skipped), read from the
// file `name`, into `table` and `pedigree` (both empty). `added` gets the number of parents
// --add-missing-parents added. Returns the refusal listing every problem of the table in
// fam2raw's words, or nothing.
outcome::Outcome import_table(std::string_view text, const std::string& name, const Options& options,
                              FamTable& table, RawPedigree& pedigree, std::size_t& added);

}  // namespace fam2raw
