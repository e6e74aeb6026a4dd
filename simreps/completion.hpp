// The completion record of a replicate folder: written last, it lists every other file of
// the folder with its size and checksum (as cksum prints them). A folder is complete when its
// record is there and every file it lists is as listed; one that is not is made again and is
// never counted, whatever a crash or a power loss left of it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "simreps/checksum.hpp"

namespace simreps {

constexpr const char* completion_file = "complete.tsv";

// The files of a folder and their checksums, in the order they were written.
using FileSums = std::vector<std::pair<std::string, Checksum>>;

// The text of the completion record of `files`.
std::string completion_text(const FileSums& files);

// Checks `folder` against its completion record: every file listed is there with its size,
// and with `sums` also with its checksum. Returns what is wrong, naming the folder and the
// file.
outcome::Outcome check_complete(const std::string& folder, bool sums);

}  // namespace simreps
