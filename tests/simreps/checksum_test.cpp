// The completion records' checksums against cksum's definition worked bit by bit: the fast
// paths (eight bytes a step, 64 by carry-less multiplication) at every length around their
// steps, and a text handed over in pieces cut anywhere.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "simreps/checksum.hpp"

namespace {

std::uint32_t cksum_bit_by_bit(const std::string& text) {
  std::uint32_t crc = 0;
  auto add = [&crc](unsigned char byte) {
    for (int bit = 7; bit >= 0; --bit) {
      const bool top = ((crc >> 31) ^ (byte >> bit)) & 1u;
      crc = (crc << 1) ^ (top ? 0x04C11DB7u : 0u);
    }
  };
  for (const char c : text) add(static_cast<unsigned char>(c));
  for (std::uint64_t length = text.size(); length != 0; length >>= 8) add(static_cast<unsigned char>(length & 0xFF));
  return ~crc;
}

std::string random_text(std::size_t size, std::mt19937& generator) {
  std::string text(size, ' ');
  for (char& c : text) c = static_cast<char>(generator());
  return text;
}

TEST(Checksum, IsCksumsAtEveryLengthAndCut) {
  std::mt19937 generator(7);
  for (std::size_t size : {0, 1, 7, 8, 15, 16, 63, 64, 65, 79, 80, 127, 128, 129, 200, 1000, 100003}) {
    const std::string text = random_text(size, generator);
    const std::uint32_t want = cksum_bit_by_bit(text);
    EXPECT_EQ(simreps::checksum_of_text(text).crc, want) << size;
    for (std::size_t cut = 0; cut <= size; cut += 1 + size / 37) {
      simreps::ChecksumStream stream;
      stream.add(std::string_view(text).substr(0, cut));
      stream.add(std::string_view(text).substr(cut));
      EXPECT_EQ(stream.sum().crc, want) << size << " cut at " << cut;
      EXPECT_EQ(stream.sum().bytes, size);
    }
  }
}

}  // namespace
