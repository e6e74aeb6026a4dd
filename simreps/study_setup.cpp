#include "simreps/study_setup.hpp"

#include <unistd.h>

#include <filesystem>
#include <optional>

#include "simreps/checksum.hpp"
#include "simreps/outdir.hpp"
#include "simreps/seeds.hpp"
#include "simreps/user_ids.hpp"

namespace fs = std::filesystem;

namespace simreps {
namespace {

// The study recorded in OUTDIR, checked against this run's, whose first seed is the one given
// or else the recorded one.
outcome::Outcome check_recorded(const Options& options, const Study& recorded, Study& study) {
  study.first_seed = options.first_seed.value_or(recorded.first_seed);
  if (auto differs = difference(recorded, study); !differs.empty())
    return outcome::stop(options.outdir + " holds another study (" + differs + "); give another OUTDIR");
  const std::int64_t seeds = seeds_per_replicate(options.chromosomes.size());
  if (options.count > room_for(study.first_seed, seeds))
    return outcome::stop("the study's first seed is " + std::to_string(study.first_seed) + ": it has room for " +
                         std::to_string(room_for(study.first_seed, seeds)) + " replicates, not " +
                         std::to_string(options.count));
  return std::nullopt;
}

}  // namespace

Study requested_study(const Options& options) {
  Study study;
  study.formats = formats_text(options.formats);
  if (uses_bp(options.formats)) study.bp_per_cm = options.bp_per_cm;
  if (options.names_given)
    for (const std::string& name : options.chromosome_names)
      study.chromosome_names += (study.chromosome_names.empty() ? "" : ",") + name;
  return study;
}

std::vector<std::string> given_inputs(const Options& options) {
  std::vector<std::string> given{options.raw_pedigree};
  given.insert(given.end(), options.chromosomes.begin(), options.chromosomes.end());
  given.push_back(options.model);
  return given;
}

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

outcome::Outcome import_tables(const Options& options, const std::vector<std::string>& inputs, Imports& imports,
                               Study& study) {
  if (auto refused = import_inputs(given_inputs(options), inputs, imports))
    return outcome::stop("simreps: " + refused->text);
  if (!imports.from_fam) return std::nullopt;
  study.ids = options.suite_ids ? "suite" : "fam";
  return options.suite_ids ? std::nullopt : check_user_ids(imports.fam, options.raw_pedigree, options.formats.vcf);
}

outcome::Outcome enter_outdir(const Options& options) {
  std::error_code error;
  fs::create_directories(options.outdir, error);
  if (error || ::chdir(options.outdir.c_str()) != 0) return outcome::stop("cannot create or enter " + options.outdir);
  return std::nullopt;
}

outcome::Outcome open_study(const Options& options, bool begin, Study& study) {
  const std::string& outdir = options.outdir;
  Lock lock;
  if (auto problem = Lock::take(lock)) return outcome::stop(outdir + ": " + problem->text);
  // Written only under the lock: one that is there now was left by a run that was lost.
  for (const std::string record : {study_record, manifest_file}) {
    std::error_code ignored;
    fs::remove(record + ".partial", ignored);
  }
  std::optional<Study> recorded;
  if (auto problem = read_study(recorded)) return outcome::stop(outdir + "/" + problem->text);
  if (recorded) return check_recorded(options, *recorded, study);
  for (const auto& entry : fs::directory_iterator(".")) {
    const std::string name = entry.path().filename().string();
    // Left by this run: its lock and its trial of the chain.
    if (name != lock_file && name.rfind(".work.", 0) != 0)
      return outcome::stop(outdir + " is not empty and holds no study; give a new or an empty folder");
  }
  if (!begin) return std::nullopt;
  const std::int64_t seeds = seeds_per_replicate(options.chromosomes.size());
  study.first_seed = options.first_seed ? *options.first_seed : drawn_first_seed(options.count, seeds);
  if (auto failed = write_study(study)) return outcome::stop(outdir + ": " + failed->text);
  return std::nullopt;
}

}  // namespace simreps
