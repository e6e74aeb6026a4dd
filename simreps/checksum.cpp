#include "simreps/checksum.hpp"

#include <array>
#include <cstdio>
#include <cstring>

namespace simreps {
namespace {

// The CRC of cksum: polynomial 0x04C11DB7, most significant bit first, no reflection. Eight
// tables let the loop take eight bytes a step: the completion record of every replicate sums
// its files, so this runs over every byte a study writes.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables crc_tables() {
  Tables t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i << 24;
    for (int k = 0; k < 8; ++k) c = (c & 0x80000000u) ? (c << 1) ^ 0x04C11DB7u : c << 1;
    t[0][i] = c;
  }
  for (std::size_t k = 1; k < 8; ++k)
    for (std::uint32_t i = 0; i < 256; ++i) t[k][i] = (t[k - 1][i] << 8) ^ t[0][t[k - 1][i] >> 24];
  return t;
}
constexpr Tables tables = crc_tables();

std::uint32_t add(std::uint32_t crc, unsigned char byte) {
  return (crc << 8) ^ tables[0][((crc >> 24) ^ byte) & 0xFF];
}

std::uint32_t add(std::uint32_t crc, const unsigned char* p, std::size_t n) {
  for (; n >= 8; n -= 8, p += 8) {
    const std::uint32_t high = crc ^ (std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 |
                                      std::uint32_t{p[2]} << 8 | p[3]);
    crc = tables[7][high >> 24] ^ tables[6][(high >> 16) & 0xFF] ^ tables[5][(high >> 8) & 0xFF] ^
          tables[4][high & 0xFF] ^ tables[3][p[4]] ^ tables[2][p[5]] ^ tables[1][p[6]] ^ tables[0][p[7]];
  }
  for (; n > 0; --n, ++p) crc = add(crc, *p);
  return crc;
}

// cksum ends by adding the length, least significant byte first, and complementing.
Checksum finish(std::uint32_t crc, std::uint64_t bytes) {
  for (std::uint64_t length = bytes; length != 0; length >>= 8)
    crc = add(crc, static_cast<unsigned char>(length & 0xFF));
  return {~crc, bytes};
}

}  // namespace

std::optional<Checksum> checksum_of(const std::string& name) {
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::uint32_t crc = 0;
  std::uint64_t bytes = 0;
  static thread_local unsigned char buffer[1 << 16];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    crc = add(crc, buffer, n);
    bytes += n;
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return finish(crc, bytes);
}

Checksum checksum_of_text(std::string_view text) {
  return finish(add(0, reinterpret_cast<const unsigned char*>(text.data()), text.size()), text.size());
}

}  // namespace simreps
