// File checksums for the study record, in the form POSIX cksum prints them, so that a user
// can check an input against the record with a standard tool.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace simreps {

struct Checksum {
  std::uint32_t crc = 0;
  std::uint64_t bytes = 0;
};

// The CRC and length of the file `name`, as "cksum name" prints them; empty when it cannot
// be read.
std::optional<Checksum> checksum_of(const std::string& name);

}  // namespace simreps
