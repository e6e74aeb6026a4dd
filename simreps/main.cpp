// simreps [options] RAW_PEDIGREE CHROMOSOME... MODEL OUTDIR
//
// A replicate study: the chain once per replicate, the steps that give the same result for
// every replicate done once.
//
//   options -> OUTDIR and its study record -> the chain's trial (deterministic files, every
//   refusal and warning of the programs) -> inputs read -> the slice's missing replicates,
//   made by the workers -> manifest
//
// Exit status 0 when every replicate of the slice is in OUTDIR, 1 after a refusal (printed on
// standard output, naming the step and, where it applies, the replicate).
#include <unistd.h>

#include <cerrno>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include "common/outcome/finish.hpp"
#include "common/records/sstop.hpp"
#include "simreps/beyond_tables.hpp"
#include "simreps/chain_steps.hpp"
#include "simreps/claim.hpp"
#include "simreps/durable.hpp"
#include "simreps/format_files.hpp"
#include "simreps/imports.hpp"
#include "simreps/inputs.hpp"
#include "simreps/options.hpp"
#include "simreps/outdir.hpp"
#include "simreps/slice.hpp"
#include "simreps/study.hpp"
#include "simreps/trial.hpp"
#include "simreps/user_ids.hpp"

namespace fs = std::filesystem;

namespace {

using namespace simreps;


int digits(std::int64_t n) {
  int d = 1;
  while (n >= 10) {
    n /= 10;
    ++d;
  }
  return d;
}

// From the system's random source, never the clock: two studies started minutes apart would
// otherwise share most of their seeds.
std::int32_t drawn_seed(std::int64_t count, std::int64_t seeds) {
  std::random_device source;
  std::uniform_int_distribution<std::int64_t> seed(1, max_seed - seeds * count);
  return static_cast<std::int32_t>(seed(source));
}

// Checks the study in OUTDIR (the current folder) against this run, and with `begin` writes
// its record when there is none yet. Sets the first seed in `study`: the one given, else the
// recorded one, else (when beginning) one drawn at random. Returns the refusal, if any.
// Runs that begin slices of one study at once meet here under the lock, so all but
// the first take the first one's record.
outcome::Outcome open_study(const Options& options, const std::string& outdir, bool begin, Study& study) {
  Lock lock;
  if (auto problem = Lock::take(lock)) return outcome::stop(outdir + ": " + problem->text);
  // Written only under the lock: one that is there now was left by a run that was lost.
  for (const std::string record : {study_record, manifest_file}) {
    std::error_code ignored;
    fs::remove(record + ".partial", ignored);
  }
  std::optional<Study> recorded;
  if (auto problem = read_study(recorded)) return outcome::stop(outdir + "/" + problem->text);
  if (recorded) {
    study.first_seed = options.first_seed.value_or(recorded->first_seed);
    if (auto differs = difference(*recorded, study); !differs.empty())
      return outcome::stop(outdir + " holds another study (" + differs + "); give another OUTDIR");
    const std::int64_t seeds = options.seeds_per_replicate();
    if (study.first_seed + seeds * options.count - 1 > max_seed)
      return outcome::stop("the study's first seed is " + std::to_string(study.first_seed) + ": it has room for " +
                           std::to_string((max_seed - study.first_seed + 1) / seeds) + " replicates, not " +
                           std::to_string(options.count));
    return std::nullopt;
  }
  for (const auto& entry : fs::directory_iterator(".")) {
    const std::string name = entry.path().filename().string();
    // Left by this run: its lock and its trial of the chain.
    if (name != lock_file && name.rfind(".work.", 0) != 0)
      return outcome::stop(outdir + " is not empty and holds no study; give a new or an empty folder");
  }
  if (!begin) return std::nullopt;
  study.first_seed = options.first_seed ? *options.first_seed : drawn_seed(options.count, options.seeds_per_replicate());
  if (auto failed = write_study(study)) return outcome::stop(outdir + ": " + failed->text);
  return std::nullopt;
}

// The inputs as the user named them: the raw pedigree, the chromosome files, the model.
std::vector<std::string> given_inputs(const Options& options) {
  std::vector<std::string> given{options.raw_pedigree};
  given.insert(given.end(), options.chromosomes.begin(), options.chromosomes.end());
  given.push_back(options.model);
  return given;
}

// The inputs' absolute paths into `inputs` (the raw pedigree, the chromosome files, the
// model), and their checksums, those of the files as given, into `study`.
outcome::Outcome read_checksums(const Options& options, std::vector<std::string>& inputs, Study& study) {
  const std::vector<std::string> given = given_inputs(options);
  inputs.assign(given.size(), std::string());
  study.inputs.assign(given.size(), Checksum{});
  study.paths.assign(given.size(), std::string());
  for (std::size_t i = 0; i < given.size(); ++i) {
    inputs[i] = fs::absolute(given[i]).string();
    const auto sum = checksum_of(inputs[i]);
    if (!sum) return outcome::stop("cannot read " + given[i]);
    study.inputs[i] = *sum;
    study.paths[i] = inputs[i];
  }
  return std::nullopt;
}

// The warnings of the chain's trial, once per run however many replicates it makes, on
// standard error (-q keeps them) and in OUTDIR/warnings.txt, where a slice run in the
// background leaves them too.
outcome::Outcome pass_on(const std::vector<std::string>& warnings) {
  if (warnings.empty()) return std::nullopt;
  std::string text;
  for (const std::string& line : warnings) text += line + "\n";
  std::fputs(text.c_str(), stderr);
  Lock lock;
  if (auto problem = Lock::take(lock)) return problem;
  return write_durably(".", warnings_file, text);
}

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

// The user's tables converted by the importers' code (`inputs` are the files' absolute
// paths), and how the study names its individuals. The refusal is whole: every line starts
// with "simreps: ".
outcome::Outcome import_tables(const Options& options, const std::vector<std::string>& inputs, Imports& imports,
                               Study& study) {
  if (auto refused = import_inputs(given_inputs(options), inputs, imports))
    return outcome::stop("simreps: " + refused->text);
  if (!imports.from_fam) return std::nullopt;
  study.ids = options.suite_ids ? "suite" : "fam";
  return options.suite_ids ? std::nullopt : check_user_ids(imports.fam, options.raw_pedigree, options.formats.vcf);
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

// The chain's trial in OUTDIR and what is taken from it: the tables and the field files,
// then the study begun and its deterministic files kept.
outcome::Outcome trial_chain(const Options& options, const std::vector<std::string>& inputs, const Imports& imports,
                             Study& study, Inputs& tables, FieldFiles& field, std::vector<std::string>& warnings) {
  Trial trial;
  warnings = imports.warnings;
  if (auto refusal = trial.run(own_folder(), inputs, imports.texts, warnings)) return refusal;
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
  if (auto refusal = make_vcf_header(field)) return refusal;
  if (auto refusal = open_study(options, options.outdir, true, study)) return refusal;
  // The same in every run of the study: a run of another slice may replace them meanwhile.
  if (options.formats.solar)
    if (auto refusal = keep_maps(options, trial)) return refusal;
  return keep_study_files(field);
}

outcome::Outcome run(const Options& options) {
  Study study;
  study.formats = formats_text(options.formats);
  if (uses_bp(options.formats)) study.bp_per_cm = options.bp_per_cm;
  if (options.names_given)
    for (const std::string& name : options.chromosome_names)
      study.chromosome_names += (study.chromosome_names.empty() ? "" : ",") + name;
  std::vector<std::string> inputs;
  if (auto refusal = read_checksums(options, inputs, study)) return outcome::stop(refusal->text);
  auto imports = std::make_unique<Imports>();
  if (auto refusal = import_tables(options, inputs, *imports, study)) return outcome::whole(std::move(refusal));
  std::error_code error;
  fs::create_directories(options.outdir, error);
  if (error || ::chdir(options.outdir.c_str()) != 0)
    return outcome::stop("cannot create or enter " + options.outdir);

  // The study is checked before the chain's trial and begun only once the inputs are read, so
  // that refused inputs leave no record that would stand in the way of the mended ones.
  if (auto refusal = open_study(options, options.outdir, false, study))
    return outcome::stop(refusal->text);
  if (::access(".", W_OK) != 0) return report_read_only(options, std::strerror(errno));

  const std::string bin = own_folder();
  auto tables = std::make_unique<Inputs>();
  auto field = std::make_unique<FieldFiles>();
  std::vector<std::string> warnings;
  if (auto refusal = trial_chain(options, inputs, *imports, study, *tables, *field, warnings))
    return outcome::stop(refusal->text);
  imports.reset();
  if (!options.quiet)
    std::printf("simreps: study in %s, first seed %d, replicates %lld-%lld of %lld\n",
                options.outdir.c_str(), study.first_seed, static_cast<long long>(options.first),
                static_cast<long long>(options.last), static_cast<long long>(options.count));
  if (auto refusal = pass_on(warnings)) return outcome::stop(refusal->text);
  if (options.formats.plink) note_left_out(*field);

  const Found found = find_replicates();
  const int width = std::max(digits(options.count), found.width);
  if (auto problem = widen(found, width)) return outcome::stop(problem->text);
  remove_lost_claims();
  const Found widened = find_replicates();
  note_beyond_count(options, widened);
  const Plan plan{*tables, study.first_seed, width, options.keep_working, bin, field.get()};
  return make_slice(options, plan, missing_replicates(options, widened));
}

}  // namespace

int main(int argc, char** argv) {
  // A write that fails inside the programs' own steps (the working files of -k) names us.
  const outcome::Program& program = outcome::programs::simreps;
  records::name_program(program.name);
  Options options;
  if (const int status = parse_options(argc, argv, options); status >= 0)
    return outcome::finish(program, outcome::told(status));
  return outcome::finish(program, run(options));
}
