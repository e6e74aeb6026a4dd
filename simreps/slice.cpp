#include "simreps/slice.hpp"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "common/outcome/outcome.hpp"
#include "simreps/chain_steps.hpp"
#include "simreps/claim.hpp"
#include "simreps/completion.hpp"
#include "simreps/workers.hpp"

namespace simreps {
namespace {

// "1-3, 7, 9-12": the numbers, in order, in runs.
std::string runs_of(const std::vector<std::int64_t>& numbers) {
  std::string text;
  for (std::size_t i = 0; i < numbers.size();) {
    std::size_t j = i;
    while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
    if (!text.empty()) text += ", ";
    text += std::to_string(numbers[i]);
    if (j > i) {
      text += '-';
      text += std::to_string(numbers[j]);
    }
    i = j + 1;
  }
  return text;
}

const char* plural(std::int64_t n, const char* one, const char* more) { return n == 1 ? one : more; }

int digits(std::int64_t n) {
  int d = 1;
  while (n >= 10) {
    n /= 10;
    ++d;
  }
  return d;
}

}  // namespace

namespace {

// The replicates of the slice that are missing or not as their completion record lists them;
// `broken` counts the folders of the second kind, and `first_fault` says what is wrong with
// the first of them.
std::vector<std::int64_t> incomplete(const Options& options, const Found& found, std::int64_t& broken,
                                     std::string& first_fault) {
  std::vector<std::int64_t> todo;
  for (std::int64_t r = options.first; r <= options.last; ++r) {
    const auto folder = found.folders.find(r);
    if (folder != found.folders.end()) {
      const auto fault = check_complete(folder->second, true);
      if (!fault) continue;
      if (broken++ == 0) first_fault = fault->text;
    }
    todo.push_back(r);
  }
  return todo;
}

}  // namespace

std::vector<std::int64_t> missing_replicates(const Options& options, const Found& found) {
  std::int64_t broken = 0;
  std::string first_fault;
  std::vector<std::int64_t> todo = incomplete(options, found, broken, first_fault);
  if (broken > 0)
    std::fprintf(stderr, "simreps: %lld replicate folder%s of replicates %lld-%lld %s not complete (%s) and %s made again\n",
                 static_cast<long long>(broken), plural(broken, "", "s"), static_cast<long long>(options.first),
                 static_cast<long long>(options.last), plural(broken, "is", "are"), first_fault.c_str(),
                 plural(broken, "is", "are"));
  return todo;
}

void note_beyond_count(const Options& options, const Found& found) {
  std::vector<std::int64_t> beyond;
  for (auto at = found.folders.upper_bound(options.count); at != found.folders.end(); ++at) beyond.push_back(at->first);
  if (beyond.empty()) return;
  const auto n = static_cast<std::int64_t>(beyond.size());
  std::fprintf(stderr, "simreps: %s holds %lld replicate%s beyond -n %lld (%s): %s kept, and the manifest lists %s\n",
               options.outdir.c_str(), static_cast<long long>(n), plural(n, "", "s"),
               static_cast<long long>(options.count), runs_of(beyond).c_str(), plural(n, "it is", "they are"),
               plural(n, "it", "them"));
}

outcome::Outcome report_read_only(const Options& options, const std::string& reason) {
  std::int64_t broken = 0;
  std::string first_fault;
  const auto missing = static_cast<std::int64_t>(incomplete(options, find_replicates(), broken, first_fault).size());
  if (missing > 0 || !std::filesystem::exists(manifest_file))
    return outcome::stop("cannot write in " + options.outdir + ": " + reason + "; " + std::to_string(missing) +
                         " replicates of " + std::to_string(options.first) + "-" + std::to_string(options.last) +
                         " are missing");
  if (!options.quiet)
    std::printf("simreps: study in %s: replicates %lld-%lld of %lld are complete; the folder is read-only, nothing was written\n",
                options.outdir.c_str(), static_cast<long long>(options.first), static_cast<long long>(options.last),
                static_cast<long long>(options.count));
  return std::nullopt;
}

outcome::Outcome make_slice(const Options& options, const Plan& plan, const std::vector<std::int64_t>& todo) {
  const bool progress = !options.quiet && ::isatty(2);
  const int status = run_workers(plan, todo, options.jobs, progress);
  {
    Lock lock;
    if (auto problem = Lock::take(lock)) return outcome::stop(options.outdir + ": " + problem->text);
    if (auto problem = write_manifest()) return problem;
  }
  // The workers have told why.
  if (status != 0) return outcome::told(status);
  if (!options.quiet)
    std::printf("simreps: %lld replicates made, %lld were there already; manifest: %s/%s\n",
                static_cast<long long>(todo.size()),
                static_cast<long long>(options.last - options.first + 1) - static_cast<long long>(todo.size()),
                options.outdir.c_str(), manifest_file);
  return std::nullopt;
}

outcome::Outcome make_study_slice(const Options& options, const Inputs& tables, std::int32_t first_seed,
                                  const FieldFiles* field) {
  const Found found = find_replicates();
  const int width = std::max(digits(options.count), found.width);
  if (auto problem = widen(found, width)) return outcome::stop(problem->text);
  remove_lost_claims();
  const Found widened = find_replicates();
  note_beyond_count(options, widened);
  const Plan plan{tables, first_seed, width, options.keep_working, own_folder(), field};
  return make_slice(options, plan, missing_replicates(options, widened));
}

}  // namespace simreps
