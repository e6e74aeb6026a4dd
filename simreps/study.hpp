// The study record in OUTDIR: which inputs, which first seed and which program made the
// replicates there, so that a later run adds to the same study or is refused.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "common/version/version.hpp"
#include "simreps/checksum.hpp"

namespace simreps {

constexpr const char* study_record = "study.tsv";
constexpr const char* program_version = "simreps " SUITE_VERSION;

struct Study {
  std::string program = program_version;
  std::int32_t first_seed = 0;
  // The raw pedigree, the chromosome files and the model, in that order.
  std::vector<Checksum> inputs = std::vector<Checksum>(3);
  std::vector<std::string> paths = std::vector<std::string>(3);  // as given; shown, not compared
  // The chromosomes' names when given (--chromosome-names), comma-separated; else empty.
  std::string chromosome_names;
  // The formats of the replicates' files, and the base pairs per cM of those that place
  // markers in base pairs (0: none do). Recorded only when not SOLAR's alone, so that the
  // record of such a study stays as it always was.
  std::string formats = "solar";
  std::int64_t bp_per_cm = 0;
  // How a study from a .fam names individuals: "fam" (the .fam's family and id) or "suite"
  // (--suite-ids); empty for a study from a raw pedigree, whose record stays as it was.
  std::string ids;
};

// The record in the current folder into `recorded`, left empty when there is none. Refuses a
// file of that name that is there but does not read as a record.
outcome::Outcome read_study(std::optional<Study>& recorded);

// Writes the record into the current folder under a temporary name, flushed to the disk, then
// renames it. Returns what failed.
outcome::Outcome write_study(const Study& study);

// Empty when `recorded` and `now` are the same study (program, first seed, inputs, formats,
// base pairs per cM, chromosome names and ids), else a
// sentence that names what differs.
std::string difference(const Study& recorded, const Study& now);

}  // namespace simreps
