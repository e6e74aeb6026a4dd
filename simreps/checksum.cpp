#include "simreps/checksum.hpp"

#include <array>
#include <cstdio>

namespace simreps {
namespace {

// The CRC of cksum: polynomial 0x04C11DB7, most significant bit first, no reflection.
constexpr std::array<std::uint32_t, 256> crc_table() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i << 24;
    for (int k = 0; k < 8; ++k) c = (c & 0x80000000u) ? (c << 1) ^ 0x04C11DB7u : c << 1;
    table[i] = c;
  }
  return table;
}
constexpr auto table = crc_table();

std::uint32_t add(std::uint32_t crc, unsigned char byte) {
  return (crc << 8) ^ table[((crc >> 24) ^ byte) & 0xFF];
}

}  // namespace

std::optional<Checksum> checksum_of(const std::string& name) {
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  Checksum sum;
  unsigned char buffer[1 << 16];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    for (std::size_t i = 0; i < n; ++i) sum.crc = add(sum.crc, buffer[i]);
    sum.bytes += n;
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  // cksum then adds the length, least significant byte first, and complements.
  for (std::uint64_t length = sum.bytes; length != 0; length >>= 8)
    sum.crc = add(sum.crc, static_cast<unsigned char>(length & 0xFF));
  sum.crc = ~sum.crc;
  return sum;
}

}  // namespace simreps
