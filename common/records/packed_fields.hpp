// Fields of up to eight columns put in place by one store of a machine word. Most fields of
// the suite's files are a small allele number or a deviate's three decimals in a field of
// three to six columns; writing them a character at a time cost more than making them.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "common/records/fields.hpp"

namespace records::packed {

// The words are laid out for a little-endian machine; elsewhere the writers go the long way.
inline constexpr bool available = std::endian::native == std::endian::little;

// The numbers 0 to 999 as three characters, right-justified over blanks ("  7") and filled
// with zeros ("007"): a look-up costs less than working out digits one by one. Character k
// stands in bits 8k to 8k+7, so that in a little-endian machine's memory the word begins with
// the three characters.
struct Triples {
  std::uint64_t blank[1000];
  std::uint64_t zero[1000];
};
constexpr Triples make_triples() {
  Triples t{};
  for (int v = 0; v < 1000; ++v) {
    const char digits[3] = {static_cast<char>('0' + v / 100), static_cast<char>('0' + v / 10 % 10),
                            static_cast<char>('0' + v % 10)};
    for (int k = 0; k < 3; ++k) {
      const bool shown = k == 2 || (k == 1 && v >= 10) || (k == 0 && v >= 100);
      t.blank[v] |= std::uint64_t{static_cast<unsigned char>(shown ? digits[k] : ' ')} << (8 * k);
      t.zero[v] |= std::uint64_t{static_cast<unsigned char>(digits[k])} << (8 * k);
    }
  }
  return t;
}
inline constexpr Triples triples = make_triples();

// The numbers 0.000 to 1.000 in thousandths, the deviates of the trace file, as the five
// characters "d.ddd" in the same way: one look-up makes the whole field.
struct Thousandths {
  std::uint64_t word[1001];
};
constexpr Thousandths make_thousandths() {
  Thousandths t{};
  for (int v = 0; v <= 1000; ++v) {
    t.word[v] = static_cast<std::uint64_t>('0' + v / 1000) | (std::uint64_t{'.'} << 8) |
                (triples.zero[v % 1000] << 16);
  }
  return t;
}
inline constexpr Thousandths thousandths = make_thousandths();

inline constexpr std::uint64_t eight_blanks = 0x2020202020202020ull;

// Fields of `width` columns (at most 8) written left to right into columns that end at
// `end`, each field given as the word of its last `value_bytes` columns: the blanks in front
// are added here. A field with eight columns ahead of it is stored as eight bytes, the
// surplus lying in the fields after it, which overwrite it; the last ones are stored to
// their width, since what follows `end` is not the writer's to touch.
class Fields {
 public:
  Fields() = default;
  // `width` from `value_bytes` (at least 2) to 8.
  Fields(int width, int value_bytes, const char* end)
      : width_(width),
        shift_(8 * (width - value_bytes)),
        lead_(shift_ == 0 ? 0 : eight_blanks >> (64 - shift_)),
        end_(end) {}

  void put(char*& out, std::uint64_t value_word) const {
    const std::uint64_t word = lead_ | (value_word << shift_);
    if (end_ - out >= 8) {
      std::memcpy(out, &word, 8);
    } else if (width_ >= 4) {
      // Two stores of four bytes that overlap in the middle of the field.
      const std::uint32_t front = static_cast<std::uint32_t>(word);
      const std::uint32_t back = static_cast<std::uint32_t>(word >> (8 * (width_ - 4)));
      std::memcpy(out, &front, 4);
      std::memcpy(out + width_ - 4, &back, 4);
    } else {
      const std::uint16_t front = static_cast<std::uint16_t>(word);
      const std::uint16_t back = static_cast<std::uint16_t>(word >> (8 * (width_ - 2)));
      std::memcpy(out, &front, 2);
      std::memcpy(out + width_ - 2, &back, 2);
    }
    out += width_;
  }

  // A plain Iw field of `value`: one store for 0 to 999, the general writer for the rest.
  void integer(char*& out, std::int32_t value) const {
    if (static_cast<std::uint32_t>(value) < 1000) {
      put(out, triples.blank[value]);
    } else {
      write_integer(out, width_, -1, false, value);
      out += width_;
    }
  }

 private:
  int width_ = 8;
  int shift_ = 0;
  std::uint64_t lead_ = 0;
  const char* end_ = nullptr;
};

}  // namespace records::packed
