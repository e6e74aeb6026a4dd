#include "simreps/trial_chain.hpp"

#include <cstdio>

#include "simreps/chain_steps.hpp"
#include "simreps/durable.hpp"
#include "simreps/format_files.hpp"
#include "simreps/outdir.hpp"
#include "simreps/study_setup.hpp"
#include "simreps/trial.hpp"
#include "simreps/user_ids.hpp"

namespace simreps {
namespace {

// The study's own files of the formats (Merlin's data and map files), written under the lock:
// the runs of other slices write the same files.
outcome::Outcome keep_study_files(const FieldFiles& field) {
  const auto files = study_format_files(field);
  if (files.empty()) return std::nullopt;
  Lock lock;
  if (auto problem = Lock::take(lock)) return problem;
  for (const auto& [name, text] : files)
    if (auto failed = write_durably(".", name, text)) return failed;
  return std::nullopt;
}

// Which markers the PLINK files leave out, once per run, under -q too.
void note_left_out(const FieldFiles& field) {
  const auto names = left_out_of_plink(field);
  if (names.empty()) return;
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
  std::fprintf(stderr, "simreps: the PLINK files hold the %zu markers of 2 alleles; left out (a .bed holds "
               "no other): %s\n", field.biallelic.size(), list.c_str());
}

// pedigree.sol and the SOLAR maps: map.wrk.sol as xp-loci writes it for one chromosome not
// named; else map.<name>.sol per chromosome, its first line naming the chromosome (xp-loci
// always writes 10 there).
outcome::Outcome keep_maps(const Options& options, Trial& trial) {
  const std::size_t count = options.chromosomes.size();
  if (count == 1 && !options.names_given) return trial.keep({"pedigree.sol", "map.wrk.sol"});
  if (auto failed = trial.keep({"pedigree.sol"})) return failed;
  for (std::size_t k = 1; k <= count; ++k) {
    const std::string& name = options.chromosome_names[k - 1];
    // Right-aligned in the 5 columns of xp-loci's number.
    const std::string first_line = std::string(name.size() < 5 ? 5 - name.size() : 0, ' ') + name;
    const std::string map = count == 1 ? "map.wrk.sol" : chromosome_file("map", k, count, ".sol");
    if (auto failed = trial.keep_relabelled(map, "map." + name + ".sol", first_line)) return failed;
  }
  return std::nullopt;
}

// A study from a .fam names individuals by its family and id (unless --suite-ids): in the
// tables the replicates are written from, and in pedigree.sol, written over xp-fam's in the
// chain's trial.
outcome::Outcome name_individuals(const Options& options, const Imports& imports, const Trial& trial,
                                  Inputs& tables, FieldFiles& field) {
  if (!imports.from_fam || options.suite_ids) return std::nullopt;
  if (auto refusal = name_by_fam(imports.fam, options.raw_pedigree, tables, field)) return refusal;
  return write_durably(trial.folder(), "pedigree.sol", fam_pedigree_text(imports.fam, imports.raw));
}

// The tables and the field files from the trial's working files.
outcome::Outcome read_trial(const Options& options, const Imports& imports, const Trial& trial, Inputs& tables,
                            FieldFiles& field) {
  const std::size_t count = options.chromosomes.size();
  std::vector<std::string> copies, shown;
  for (std::size_t k = 1; k <= count; ++k) {
    copies.push_back(chromosome_file("chromosome", k, count, ".wrk"));
    shown.push_back(count == 1 ? copies.back() : options.chromosomes[k - 1]);
  }
  if (auto refusal = read_inputs(trial.folder(), tables, copies, shown, file_limits)) return refusal;
  if (auto refusal = prepare_field_files(tables, options.formats, options.bp_per_cm, options.chromosome_names, field))
    return refusal;
  if (auto refusal = name_individuals(options, imports, trial, tables, field)) return refusal;
  return make_vcf_header(field);
}

}  // namespace

outcome::Outcome trial_chain(const Options& options, const std::vector<std::string>& inputs, const Imports& imports,
                             Study& study, Inputs& tables, FieldFiles& field, std::vector<std::string>& warnings) {
  Trial trial;
  warnings = imports.warnings;
  if (auto refusal = trial.run(own_folder(), inputs, imports.texts, warnings)) return refusal;
  if (auto refusal = read_trial(options, imports, trial, tables, field)) return refusal;
  if (auto refusal = open_study(options, true, study)) return refusal;
  // The same in every run of the study: a run of another slice may replace them meanwhile.
  if (options.formats.solar)
    if (auto refusal = keep_maps(options, trial)) return refusal;
  return keep_study_files(field);
}

outcome::Outcome pass_on(const Options& options, const std::vector<std::string>& warnings, const FieldFiles& field) {
  if (!warnings.empty()) {
    std::string text;
    for (const std::string& line : warnings) text += line + "\n";
    std::fputs(text.c_str(), stderr);
    Lock lock;
    if (auto problem = Lock::take(lock)) return problem;
    if (auto failed = write_durably(".", warnings_file, text)) return failed;
  }
  if (options.formats.plink) note_left_out(field);
  return std::nullopt;
}

}  // namespace simreps
