// Writing that survives a crash or a power loss: a file reaches the disk before the name
// that makes it count, and the name reaches the disk after.
#pragma once

#include <string>

#include "common/outcome/outcome.hpp"
#include "simreps/checksum.hpp"

namespace simreps {

// Writes `text` to `name`.partial, flushes it to the disk, renames it to `name` and flushes
// the folder `folder` that holds both. Returns what failed, with the system's reason.
outcome::Outcome write_durably(const std::string& folder, const std::string& name, const std::string& text);

// Writes `text` as the file `path` and starts its way to the disk without waiting for it, so
// that the flush that publishes it later finds little left to write. Returns what failed, with
// the system's reason; a file it could not finish is removed.
outcome::Outcome write_and_start_flush(const std::string& path, const std::string& text);

// A file written a piece at a time and checksummed on the way, so that a large text is never
// held whole: open(), write() each piece, then finish(), which starts its way to the disk as
// write_and_start_flush does. A file that was not finished, or could not be, is removed.
class StreamedFile {
 public:
  StreamedFile() = default;
  StreamedFile(const StreamedFile&) = delete;
  StreamedFile& operator=(const StreamedFile&) = delete;
  ~StreamedFile();
  outcome::Outcome open(const std::string& path);
  // A failure is kept for finish() to report; later pieces are then dropped.
  void write(std::string_view piece);
  // Closes the file; returns what failed, with the system's reason.
  outcome::Outcome finish();
  Checksum sum() const { return sum_.sum(); }

 private:
  std::string path_, why_;
  int fd_ = -1;
  ChecksumStream sum_;
};

// Flushes every file of the file system that holds `folder` (one syncfs for many files).
outcome::Outcome sync_file_system(const std::string& folder);

// Flushes the entries of `folder` (its renames) to the disk.
outcome::Outcome sync_folder(const std::string& folder);

}  // namespace simreps
