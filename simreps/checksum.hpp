// File checksums for the study record and the replicates' completion records, in the form
// POSIX cksum prints them, so that a user can check a file against the record with a
// standard tool.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace simreps {

struct Checksum {
  std::uint32_t crc = 0;
  std::uint64_t bytes = 0;
};

// The CRC and length of the file `name`, as "cksum name" prints them; empty when it cannot
// be read.
std::optional<Checksum> checksum_of(const std::string& name);

// The same of `text`, as "cksum" prints it for a file holding exactly `text`.
Checksum checksum_of_text(std::string_view text);

// The checksum of a text handed over in pieces, for files written a piece at a time and never
// held whole: add() each piece in order, then sum() is checksum_of_text of them all.
class ChecksumStream {
 public:
  void add(std::string_view piece);
  Checksum sum() const;

 private:
  std::uint32_t crc_ = 0;
  std::uint64_t bytes_ = 0;
};

}  // namespace simreps
