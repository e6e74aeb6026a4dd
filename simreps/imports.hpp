// The user's own files in place of the suite's: a pedigree table (.fam) for the raw pedigree,
// marker tables (.tsv) for the chromosome files and a model table (.tsv) for the model. They
// are converted in this process by the importers' own code (fam2raw, map2chrom, model2wrk),
// so what an importer refuses is refused in its words, and the study goes on from the files
// the importers would have written.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "fam2raw/fam_table.hpp"
#include "fam2raw/raw_pedigree.hpp"

namespace simreps {

// A pedigree table: a name ending in .fam.
bool is_pedigree_table(const std::string& path);
// A marker or model table: a name ending in .tsv.
bool is_table(const std::string& path);

struct Imports {
  // Per input (the raw pedigree, the chromosome files, the model, in that order): the working
  // file made from the user's table, or nothing for a file in the suite's own format.
  std::vector<std::optional<std::string>> texts;
  // The .fam's rows and the raw pedigree numbered from them (record k is row k, suite id k+1),
  // when the pedigree came from a .fam.
  bool from_fam = false;
  fam2raw::FamTable fam;
  fam2raw::RawPedigree raw;
  // What the importers warn of, one line each, starting with the importer's name.
  std::vector<std::string> warnings;
};

// Imports the inputs `given` (as the user named them, for messages) read from `paths` (the
// same files, as this process reaches them). Returns the first importer's refusal, in its
// words.
outcome::Outcome import_inputs(const std::vector<std::string>& given, const std::vector<std::string>& paths,
                               Imports& imports);

}  // namespace simreps
