#include "simreps/imports.hpp"

#include "common/files/whole_file.hpp"
#include "fam2raw/command_line.hpp"
#include "fam2raw/import.hpp"
#include "fam2raw/output_files.hpp"
#include "map2chrom/import.hpp"
#include "model2wrk/model_file.hpp"
#include "model2wrk/model_table.hpp"

namespace simreps {
namespace {

// The .fam as fam2raw converts it with its defaults: every founder of population 1, no parent
// added.
outcome::Outcome import_pedigree(const std::string& text, const std::string& name, Imports& imports) {
  std::size_t added = 0;
  if (auto refused = fam2raw::import_table(text, name, fam2raw::Options{}, imports.fam, imports.raw, added))
    return refused;
  imports.from_fam = true;
  imports.texts.front() = fam2raw::raw_pedigree_text(imports.raw.records);
  return std::nullopt;
}

outcome::Outcome import_model(const std::string& text, const std::string& name, Imports& imports) {
  model2wrk::ModelTable table;
  std::vector<std::string> warnings;
  const outcome::Outcome refused = model2wrk::read_model_table(text, name, table, warnings);
  for (const std::string& warning : warnings) imports.warnings.push_back("model2wrk: " + warning);
  if (refused) return refused;
  imports.texts.back() = model2wrk::model_text(table, name);
  return std::nullopt;
}

}  // namespace

bool is_pedigree_table(const std::string& path) { return path.ends_with(".fam"); }
bool is_table(const std::string& path) { return path.ends_with(".tsv"); }

outcome::Outcome import_inputs(const std::vector<std::string>& given, const std::vector<std::string>& paths,
                               Imports& imports) {
  imports.texts.assign(given.size(), std::nullopt);
  for (std::size_t i = 0; i < given.size(); ++i) {
    const bool pedigree = i == 0, model = i + 1 == given.size();
    if (pedigree ? !is_pedigree_table(given[i]) : !is_table(given[i])) continue;
    std::string text;
    if (!files::read_file(paths[i], text)) return outcome::stop("cannot read " + given[i]);
    outcome::Outcome refused;
    if (pedigree) {
      refused = import_pedigree(text, given[i], imports);
    } else if (model) {
      refused = import_model(text, given[i], imports);
    } else {
      std::string chromosome;
      std::vector<std::string> warnings;
      refused = map2chrom::import_table({text, given[i]}, nullptr, chromosome, warnings);
      imports.warnings.insert(imports.warnings.end(), warnings.begin(), warnings.end());
      if (!refused) imports.texts[i] = std::move(chromosome);
    }
    if (refused) return refused;
  }
  return std::nullopt;
}

}  // namespace simreps
