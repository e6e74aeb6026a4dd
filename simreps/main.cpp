// simreps [options] RAW_PEDIGREE CHROMOSOME MODEL OUTDIR
//
// A replicate study: the chain once per replicate, the steps that give the same result for
// every replicate done once.
//
//   options -> OUTDIR and its study record -> the chain once (deterministic files, and every
//   refusal of the programs) -> inputs read -> workers make the missing replicates -> manifest
//
// Exit status 0 when every replicate of the slice is in OUTDIR, 1 after a refusal (printed on
// standard output, naming the step and, where it applies, the replicate).
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include "simreps/chain_steps.hpp"
#include "simreps/claim.hpp"
#include "simreps/completion.hpp"
#include "simreps/inputs.hpp"
#include "simreps/options.hpp"
#include "simreps/outdir.hpp"
#include "simreps/study.hpp"
#include "simreps/workers.hpp"

namespace fs = std::filesystem;

namespace {

using namespace simreps;

constexpr std::int64_t max_seed = 2147483647;

// simreps names itself before every refusal.
int refuse(const std::string& text) { return outcome::refuse_line("simreps: " + text); }

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
std::int32_t drawn_seed(std::int64_t count) {
  std::random_device source;
  std::uniform_int_distribution<std::int64_t> seed(1, max_seed - 2 * count);
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
    if (study.first_seed + 2 * options.count - 1 > max_seed)
      return outcome::stop("the study's first seed is " + std::to_string(study.first_seed) + ": it has room for " +
                           std::to_string((max_seed - study.first_seed + 1) / 2) + " replicates, not " +
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
  study.first_seed = options.first_seed ? *options.first_seed : drawn_seed(options.count);
  if (auto failed = write_study(study)) return outcome::stop(outdir + ": " + failed->text);
  return std::nullopt;
}

// Removes the trial folders (named `prefix` and a process id) of runs on this host that were
// killed during their trial of the chain.
void remove_lost_work(const std::string& prefix) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(".", error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) != 0) continue;
    const std::string pid = name.substr(prefix.size());
    if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
    if (::kill(static_cast<pid_t>(std::stol(pid)), 0) != 0 && errno == ESRCH) fs::remove_all(entry.path(), error);
  }
}

// The copies of the inputs under the chain's names in `work`, and the chain once there.
outcome::Outcome prepare(const Options& options, const std::string& bin, const std::string& work,
                         const std::array<std::string, 3>& inputs) {
  std::error_code error;
  fs::create_directory(work, error);
  if (error) return outcome::stop("cannot create " + work + ": " + error.message());
  const char* copies[] = {"pe0.wrk", "chromosome.wrk", "model.wrk"};
  for (int i = 0; i < 3; ++i) {
    fs::copy_file(inputs[i], work + "/" + copies[i], error);
    if (error) return outcome::stop("cannot copy " + inputs[i] + ": " + error.message());
  }
  std::string notes;
  if (auto refusal = run_chain_once(bin, work, notes)) return refusal;
  if (!options.quiet && !notes.empty()) std::printf("%s", notes.c_str());
  return std::nullopt;
}

// The replicates of first..last that are not complete in OUTDIR: missing, or not as their
// completion record lists them (a crash, a power loss or a hand left them so). Says on
// standard error how many of those were there, since they are made again.
std::vector<std::int64_t> missing_replicates(const Options& options, const Found& found) {
  std::vector<std::int64_t> todo;
  std::int64_t broken = 0;
  std::string first_fault;
  for (std::int64_t r = options.first; r <= options.last; ++r) {
    const auto folder = found.folders.find(r);
    if (folder != found.folders.end()) {
      const auto fault = check_complete(folder->second, true);
      if (!fault) continue;
      if (broken++ == 0) first_fault = fault->text;
    }
    todo.push_back(r);
  }
  if (broken > 0)
    std::fprintf(stderr, "simreps: %lld replicate folder%s of replicates %lld-%lld %s not complete (%s) and %s made again\n",
                 static_cast<long long>(broken), broken == 1 ? "" : "s", static_cast<long long>(options.first),
                 static_cast<long long>(options.last), broken == 1 ? "is" : "are", first_fault.c_str(),
                 broken == 1 ? "is" : "are");
  return todo;
}

// A study in a folder this run cannot write: when the slice is complete there is nothing to
// do, and saying so is the answer; else it is refused.
int check_read_only(const Options& options, const std::string& reason) {
  const Found found = find_replicates();
  std::vector<std::int64_t> todo;
  for (std::int64_t r = options.first; r <= options.last; ++r) {
    const auto folder = found.folders.find(r);
    if (folder == found.folders.end() || check_complete(folder->second, true)) todo.push_back(r);
  }
  if (!todo.empty() || !fs::exists(manifest_file))
    return refuse("cannot write in " + options.outdir + ": " + reason + "; " +
                  std::to_string(todo.size()) + " replicates of " + std::to_string(options.first) + "-" +
                  std::to_string(options.last) + " are missing");
  if (!options.quiet)
    std::printf("simreps: study in %s: replicates %lld-%lld of %lld are complete; the folder is read-only, nothing was written\n",
                options.outdir.c_str(), static_cast<long long>(options.first), static_cast<long long>(options.last),
                static_cast<long long>(options.count));
  return 0;
}

int run(const Options& options) {
  const std::string bin = own_folder();
  Study study;
  const std::array<std::string, 3> given = {options.raw_pedigree, options.chromosome, options.model};
  std::array<std::string, 3> inputs;
  for (int i = 0; i < 3; ++i) {
    inputs[i] = fs::absolute(given[i]).string();
    const auto sum = checksum_of(inputs[i]);
    if (!sum) return refuse("cannot read " + given[i]);
    study.inputs[i] = *sum;
    study.paths[i] = inputs[i];
  }
  std::error_code error;
  fs::create_directories(options.outdir, error);
  if (error || ::chdir(options.outdir.c_str()) != 0)
    return refuse("cannot create or enter " + options.outdir);

  // The study is checked before the chain's trial and begun only once the inputs are read, so
  // that refused inputs leave no record that would stand in the way of the mended ones.
  if (auto refusal = open_study(options, options.outdir, false, study))
    return refuse(refusal->text);
  if (::access(".", W_OK) != 0) return check_read_only(options, std::strerror(errno));

  char host[256] = "host";
  ::gethostname(host, sizeof host - 1);
  const std::string work_prefix = ".work." + std::string(host) + ".";
  remove_lost_work(work_prefix);
  const std::string work = work_prefix + std::to_string(::getpid());
  struct Cleanup {
    std::string folder;
    ~Cleanup() {
      std::error_code ignored;
      fs::remove_all(folder, ignored);
    }
  } cleanup{work};
  if (auto refusal = prepare(options, bin, work, inputs)) return refuse(refusal->text);
  auto tables = std::make_unique<Inputs>();
  if (auto refusal = read_inputs(work, *tables)) return refuse(refusal->text);

  if (auto refusal = open_study(options, options.outdir, true, study))
    return refuse(refusal->text);
  if (!options.quiet)
    std::printf("simreps: study in %s, first seed %d, replicates %lld-%lld of %lld\n",
                options.outdir.c_str(), study.first_seed, static_cast<long long>(options.first),
                static_cast<long long>(options.last), static_cast<long long>(options.count));
  // The same in every run of the study: a run of another slice may replace them meanwhile.
  for (const char* kept : {"pedigree.sol", "map.wrk.sol"}) {
    fs::rename(work + "/" + kept, kept, error);
    if (error) return refuse(std::string("cannot move ") + kept + " into the study: " + error.message());
  }
  // Read once: from here on a run that is killed leaves nothing of its trial behind.
  fs::remove_all(work, error);

  const Found found = find_replicates();
  const int width = std::max(digits(options.count), found.width);
  if (auto problem = widen(found, width)) return refuse(problem->text);
  remove_lost_claims();
  const std::vector<std::int64_t> todo = missing_replicates(options, find_replicates());

  const Plan plan{*tables, study.first_seed, width, options.keep_working, bin};
  const bool progress = !options.quiet && ::isatty(2);
  const int status = run_workers(plan, todo, options.jobs, progress);
  {
    Lock lock;
    if (auto problem = Lock::take(lock)) return refuse(options.outdir + ": " + problem->text);
    if (auto problem = write_manifest()) return refuse(problem->text);
  }
  if (status != 0) return status;
  if (!options.quiet)
    std::printf("simreps: %lld replicates made, %lld were there already; manifest: %s/%s\n",
                static_cast<long long>(todo.size()),
                static_cast<long long>(options.last - options.first + 1) - static_cast<long long>(todo.size()),
                options.outdir.c_str(), manifest_file);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const int status = parse_options(argc, argv, options); status >= 0) return status;
  return run(options);
}
