#include "simreps/checksum.hpp"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

std::uint32_t add_by_tables(std::uint32_t crc, const unsigned char* p, std::size_t n) {
  for (; n >= 8; n -= 8, p += 8) {
    const std::uint32_t high = crc ^ (std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 |
                                      std::uint32_t{p[2]} << 8 | p[3]);
    crc = tables[7][high >> 24] ^ tables[6][(high >> 16) & 0xFF] ^ tables[5][(high >> 8) & 0xFF] ^
          tables[4][high & 0xFF] ^ tables[3][p[4]] ^ tables[2][p[5]] ^ tables[1][p[6]] ^ tables[0][p[7]];
  }
  for (; n > 0; --n, ++p) crc = add(crc, *p);
  return crc;
}

#if defined(__x86_64__)
// Many bytes at once by carry-less multiplication, where the processor has it: eight times
// the tables' speed. The text, the register taken as a polynomial of degree below 128
// (first byte highest), is folded 64 bytes a step: a block B after A is A x^512 + B, and
// A x^512 = A_high x^576 + A_low x^512, each factor reduced mod the CRC's polynomial to 32
// bits, so each product stays below 2^96. What is left, congruent to the text, goes through
// the tables as 16 bytes.
constexpr std::uint64_t x_power_mod(int power) {
  std::uint32_t r = 1;
  for (int i = 0; i < power; ++i) r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
  return r;
}

__attribute__((target("pclmul,ssse3"))) __m128i load_high_first(const unsigned char* p) {
  const __m128i reverse = _mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), reverse);
}

// a x^(bits) mod the polynomial, below 2^96, for `by` = (x^(bits + 64) mod P, x^bits mod P).
__attribute__((target("pclmul,ssse3"))) __m128i fold(__m128i a, __m128i by) {
  return _mm_xor_si128(_mm_clmulepi64_si128(a, by, 0x11), _mm_clmulepi64_si128(a, by, 0x00));
}

// From 64 bytes on.
__attribute__((target("pclmul,ssse3"))) std::uint32_t add_by_folding(std::uint32_t crc, const unsigned char* p,
                                                                        std::size_t n) {
  constexpr auto x576 = static_cast<long long>(x_power_mod(576)), x512 = static_cast<long long>(x_power_mod(512)),
                 x192 = static_cast<long long>(x_power_mod(192)), x128 = static_cast<long long>(x_power_mod(128));
  const __m128i by_512 = _mm_set_epi64x(x576, x512), by_128 = _mm_set_epi64x(x192, x128);
  __m128i a[4];
  for (int k = 0; k < 4; ++k) a[k] = load_high_first(p + 16 * k);
  // The CRC so far stands on the text's first four bytes.
  a[0] = _mm_xor_si128(a[0], _mm_set_epi32(static_cast<int>(crc), 0, 0, 0));
  for (p += 64, n -= 64; n >= 64; p += 64, n -= 64)
    for (int k = 0; k < 4; ++k) a[k] = _mm_xor_si128(fold(a[k], by_512), load_high_first(p + 16 * k));
  __m128i left = a[0];
  for (int k = 1; k < 4; ++k) left = _mm_xor_si128(fold(left, by_128), a[k]);
  for (; n >= 16; p += 16, n -= 16) left = _mm_xor_si128(fold(left, by_128), load_high_first(p));
  unsigned char bytes[16];
  _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), load_high_first(reinterpret_cast<const unsigned char*>(&left)));
  return add_by_tables(add_by_tables(0, bytes, 16), p, n);
}
#endif

std::uint32_t add(std::uint32_t crc, const unsigned char* p, std::size_t n) {
#if defined(__x86_64__)
  static const bool folding = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("ssse3");
  if (folding && n >= 64) return add_by_folding(crc, p, n);
#endif
  return add_by_tables(crc, p, n);
}

// cksum ends by adding the length, least significant byte first, and complementing.
Checksum finish(std::uint32_t crc, std::uint64_t bytes) {
  for (std::uint64_t length = bytes; length != 0; length >>= 8)
    crc = add(crc, static_cast<unsigned char>(length & 0xFF));
  return {~crc, bytes};
}

}  // namespace

namespace {

// The file read through mappings of its pages, a window at a time: a large working file is
// summed where it lies in the page cache, not copied out of it first, and no more of it than
// a window is held at once. Empty where it cannot be mapped.
std::optional<Checksum> checksum_of_mapped(int fd) {
  constexpr std::size_t window = std::size_t{8} << 20;
  struct stat status;
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0) return std::nullopt;
  const auto size = static_cast<std::size_t>(status.st_size);
  ChecksumStream stream;
  for (std::size_t at = 0; at < size; at += window) {
    const std::size_t length = std::min(window, size - at);
    void* pages = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, static_cast<off_t>(at));
    if (pages == MAP_FAILED) return std::nullopt;
    stream.add(std::string_view(static_cast<const char*>(pages), length));
    ::munmap(pages, length);
  }
  return stream.sum();
}

}  // namespace

std::optional<Checksum> checksum_of(const std::string& name) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  if (const auto mapped = checksum_of_mapped(fd)) {
    ::close(fd);
    return mapped;
  }
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) {
    ::close(fd);
    return std::nullopt;
  }
  ChecksumStream stream;
  static thread_local char buffer[1 << 16];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) stream.add(std::string_view(buffer, n));
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return stream.sum();
}

Checksum checksum_of_text(std::string_view text) {
  ChecksumStream stream;
  stream.add(text);
  return stream.sum();
}

void ChecksumStream::add(std::string_view piece) {
  crc_ = simreps::add(crc_, reinterpret_cast<const unsigned char*>(piece.data()), piece.size());
  bytes_ += piece.size();
}

Checksum ChecksumStream::sum() const { return finish(crc_, bytes_); }

}  // namespace simreps
