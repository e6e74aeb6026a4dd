// The replicate folders of OUTDIR (the current folder while simreps runs) and its manifest.
//
// Replicate r lives in rep<r>, zero-padded to the width of the study's count. It is written
// under a partial name, .rep<r>.partial.<host>.<pid>, and renamed when complete, so a folder
// named rep<r> is always whole; a partial folder is what a lost run left behind.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "common/outcome/outcome.hpp"

namespace simreps {

// The manifest columns; each replicate folder keeps its own row under the same header in
// row_file, and manifest.tsv gathers the rows of all complete replicates.
constexpr const char* manifest_header =
    "replicate\tgenotype_seed\ttrait_seed\tindividuals\tphenotype_mean\tphenotype_sd\n";
constexpr const char* row_file = "replicate.tsv";
constexpr const char* manifest_file = "manifest.tsv";
// The warnings of the programs on the study's inputs, as the last run printed them.
constexpr const char* warnings_file = "warnings.txt";
// Taken (flock) while the study record or the manifest is read and written, so that runs of
// slices into the same OUTDIR never mix their writes.
constexpr const char* lock_file = ".simreps.lock";

std::string replicate_name(std::int64_t replicate, int width);
// The partial name of `replicate` for this process.
std::string partial_name(std::int64_t replicate, int width);

// The complete replicate folders in OUTDIR, by number, and the widest name among them.
struct Found {
  std::map<std::int64_t, std::string> folders;
  int width = 0;
};
Found find_replicates();

// Renames complete replicate folders narrower than `width` to that width: a study extended to
// a count with more digits keeps its folders in order.
outcome::Outcome widen(const Found& found, int width);

// Removes the partial folders of replicates first..last. Only for a run that holds their
// claims: the partial folder of a replicate another run is making is that run's.
void remove_partials(std::int64_t first, std::int64_t last);

// Writes manifest.tsv from the rows of all complete replicates (those whose files are as their
// completion record lists them), in order, and flushes it to the disk under a partial name
// that is then renamed. Returns what it could not do, if anything.
outcome::Outcome write_manifest();

// The lock of OUTDIR, held while it lives.
class Lock {
 public:
  Lock() = default;
  ~Lock();
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  // Takes the lock into `lock`, waiting for a run that holds it. In a folder this run cannot
  // write, a lock file that is missing is no refusal: such a run only reads. Returns the
  // reason when the lock can be neither opened nor taken.
  static outcome::Outcome take(Lock& lock);

 private:
  int fd_ = -1;
};

}  // namespace simreps
