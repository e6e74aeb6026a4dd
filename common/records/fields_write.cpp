#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

#include "common/records/fields.hpp"
#include "common/records/packed_fields.hpp"

namespace records {
namespace {

void stars(char* out, int width) {
  std::memset(out, '*', static_cast<std::size_t>(width));
}

// Puts `sign` (0 for none) and `body` right-justified into the field, or asterisks.
void place(char* out, int width, char sign, std::string_view body) {
  std::size_t length = body.size() + (sign ? 1 : 0);
  if (length > static_cast<std::size_t>(width)) {
    stars(out, width);
    return;
  }
  std::size_t blanks = static_cast<std::size_t>(width) - length;
  std::memset(out, ' ', blanks);
  if (sign) out[blanks++] = sign;
  std::memcpy(out + blanks, body.data(), body.size());
}

// The three characters of one of packed::triples, a byte at a time: right on any machine.
inline void put_three(char* out, std::uint64_t word) {
  out[0] = static_cast<char>(word & 0xff);
  out[1] = static_cast<char>((word >> 8) & 0xff);
  out[2] = static_cast<char>((word >> 16) & 0xff);
}

// Widest Iw field written column by column; wider ones count their digits first.
constexpr int short_integer = 12;

// The number of decimal digits of `value`, at least one.
inline int digit_count(std::uint64_t value) {
  int n = 1;
  while (value >= 10) {
    value /= 10;
    ++n;
  }
  return n;
}

// value / 10^decimals for decimals 1..9, each a division by a constant (a multiplication),
// not the slow division by a variable.
inline std::uint64_t divide_by_power_of_ten(std::uint64_t value, int decimals) {
  switch (decimals) {
    case 1: return value / 10;
    case 2: return value / 100;
    case 3: return value / 1000;
    case 4: return value / 10000;
    case 5: return value / 100000;
    case 6: return value / 1000000;
    case 7: return value / 10000000;
    case 8: return value / 100000000;
    default: return value / 1000000000;
  }
}

// Writes the `count` digits of `value` ending just before `end`, zeros in front; returns
// where they begin.
inline char* put_digits(char* end, std::uint64_t value, int count) {
  for (int i = 0; i < count; ++i) {
    *--end = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return end;
}

// Infinity and NaN have no digits to round; they are written as words when there is room.
bool write_special(char* out, int width, bool plus, double value) {
  if (std::isnan(value)) {
    place(out, width, 0, "NaN");
    return true;
  }
  if (!std::isinf(value)) return false;
  char sign = std::signbit(value) ? '-' : (plus ? '+' : 0);
  int room = width - (sign ? 1 : 0);
  place(out, width, sign, room >= 8 ? "Infinity" : "Inf");
  return true;
}

constexpr std::uint64_t powers_of_ten[20] = {
    1ull, 10ull, 100ull, 1000ull, 10000ull, 100000ull, 1000000ull, 10000000ull, 100000000ull,
    1000000000ull, 10000000000ull, 100000000000ull, 1000000000000ull, 10000000000000ull,
    100000000000000ull, 1000000000000000ull, 10000000000000000ull, 100000000000000000ull,
    1000000000000000000ull, 10000000000000000000ull};

bool all_zero_digits(std::string_view text) {
  for (char c : text) {
    if (c >= '1' && c <= '9') return false;
  }
  return true;
}

// Iw of a narrow field, the common case: every column is worked out the same way, a digit
// while digits remain, then the sign, then blanks, so that the loop runs `width` times
// whatever the value and no branch depends on how many digits it has (alleles of one and two
// digits in random order would mispredict every other one).
// The choices are masks, not conditions, so that the compiler cannot make branches of them.
[[gnu::always_inline]] inline void write_short_integer(char* out, int width, char sign,
                                                       std::uint32_t magnitude) {
  char* at = out + width;
  *--at = static_cast<char>('0' + magnitude % 10);  // the last column is always a digit
  std::uint32_t rest = magnitude / 10;
  std::uint32_t pending = static_cast<unsigned char>(sign);  // the sign, until placed
  for (int k = 1; k < width; ++k) {
    const std::uint32_t next = rest / 10;
    const std::uint32_t digit = '0' + (rest - next * 10);
    const std::uint32_t live = 0u - static_cast<std::uint32_t>(rest != 0);
    const std::uint32_t other = pending | (' ' & (0u - static_cast<std::uint32_t>(pending == 0)));
    *--at = static_cast<char>((digit & live) | (other & ~live));
    pending &= live;
    rest = next;
  }
  if (rest != 0 || pending != 0) stars(out, width);
}

// Iw of a wide field: the digits are counted first, then placed.
[[gnu::always_inline]] inline void write_long_integer(char* out, int width, char sign,
                                                      std::uint32_t magnitude) {
  const int n = digit_count(magnitude);
  const int length = n + (sign ? 1 : 0);
  if (length > width) {
    stars(out, width);
    return;
  }
  char* at = put_digits(out + width, magnitude, n);
  if (sign) *--at = sign;
  blanks(out, static_cast<std::size_t>(width - length));
}

// Iw.m: at least `min_digits` digits, zeros in front; a zero with m = 0 is all blanks.
void write_integer_min_digits(char* out, int width, int min_digits, char sign,
                              std::uint32_t magnitude) {
  char digits[16];
  int n = 0;
  while (magnitude != 0) {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  int zeros = min_digits > n ? min_digits - n : 0;
  if (static_cast<std::int64_t>(n) + zeros + (sign ? 1 : 0) > width) {
    stars(out, width);
    return;
  }
  int at = width;
  for (int i = 0; i < n; ++i) out[--at] = digits[i];
  for (int i = 0; i < zeros; ++i) out[--at] = '0';
  if (sign) out[--at] = sign;
  std::memset(out, ' ', static_cast<std::size_t>(at));
}

}  // namespace

void write_integer(char* out, int width, int min_digits, bool plus, std::int32_t value) {
  std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value)
                                      : static_cast<std::uint32_t>(value);
  const char sign = value < 0 ? '-' : (plus ? '+' : 0);
  if (min_digits < 0 && sign == 0 && magnitude < 1000 && width >= 3) {
    blanks(out, static_cast<std::size_t>(width - 3));
    put_three(out + width - 3, packed::triples.blank[magnitude]);
    return;
  }
  if (min_digits >= 0) {
    write_integer_min_digits(out, width, min_digits, sign, magnitude);
  } else if (width <= short_integer) {
    write_short_integer(out, width, sign, magnitude);
  } else {
    write_long_integer(out, width, sign, magnitude);
  }
}

namespace {

// `value` times 10^decimals, rounded to an integer half to even, as printf rounds the exact
// value, into `rounded`, and its sign into `negative`. False for infinity, NaN, values of 2^53
// and above (the general path writes those, as asterisks in any field this path takes) and
// results of 20 digits.
[[gnu::always_inline]] inline bool round_scaled(double value, int decimals, bool& negative,
                                                std::uint64_t& rounded) {
  const std::uint64_t pattern = std::bit_cast<std::uint64_t>(value);
  negative = (pattern >> 63) != 0;
  const int biased = static_cast<int>((pattern >> 52) & 0x7ff);
  if (biased == 0x7ff) return false;  // infinity, NaN
  const std::uint64_t fraction = pattern & ((std::uint64_t{1} << 52) - 1);
  // value = mantissa * 2^-shift exactly.
  const std::uint64_t mantissa = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
  const int exponent = (biased == 0 ? 1 : biased) - 1075;
  if (exponent > 0) return false;
  int shift = -exponent;
  // value * 10^decimals = scaled * 2^-shift exactly. A single-precision value has at most 24
  // significant bits, so its product fits 64 bits once the trailing zero bits are gone.
  rounded = 0;
  if (mantissa != 0) {
    const int zeros = std::min(std::countr_zero(mantissa), shift);
    const std::uint64_t bits = mantissa >> zeros;
    shift -= zeros;
    if (bits < (std::uint64_t{1} << 33) && shift < 64) {
      // Half to even without a branch, which random deviates would mispredict half the time:
      // adding half a unit less one, plus the lowest bit kept, carries exactly when the rest
      // is above half, or half with an odd unit. Below 2^33 * 10^9 < 2^63 it cannot overflow.
      const std::uint64_t scaled = bits * powers_of_ten[decimals];
      if (shift == 0) {
        rounded = scaled;
      } else {
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        rounded = (scaled + (half - 1) + ((scaled >> shift) & 1)) >> shift;
      }
    } else if (shift < 100) {
      // Up to 53 bits times 10^9: below 2^83, exact in 128 bits.
      const unsigned __int128 scaled = static_cast<unsigned __int128>(bits) * powers_of_ten[decimals];
      const unsigned __int128 whole = scaled >> shift;
      if (whole >= powers_of_ten[19]) return false;
      rounded = static_cast<std::uint64_t>(whole);
      if (shift > 0) {
        const unsigned __int128 rest = scaled - (whole << shift);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        if (rest > half || (rest == half && (rounded & 1) != 0)) ++rounded;
      }
    }  // else the value lies below 2^-16 of a unit of the last decimal: it rounds to 0
  }
  return rounded < powers_of_ten[19];
}

// Places `rounded` (the value in units of its last decimal, `whole` of them before the point)
// right-justified with its sign, or asterisks when it does not fit.
[[gnu::always_inline]] inline void put_fixed(char* out, int width, int decimals, char sign,
                                             std::uint64_t rounded, std::uint64_t whole) {
  int whole_digits = digit_count(whole);
  int length = whole_digits + 1 + decimals + (sign ? 1 : 0);
  // The zero before the point goes only when the field is exactly one column short for it.
  if (length == width + 1 && whole == 0) {
    whole_digits = 0;
    --length;
  }
  if (length > width) {
    stars(out, width);
    return;
  }
  char* at = out + width;
  if (decimals == 3) {
    at -= 3;
    put_three(at, packed::triples.zero[rounded - whole * 1000]);
  } else {
    at = put_digits(at, rounded, decimals);
  }
  *--at = '.';
  at = put_digits(at, whole, whole_digits);
  if (sign) *--at = sign;
  blanks(out, static_cast<std::size_t>(width - length));
}

// write_fixed_exact() with the decimal count fixed at compile time (`kDecimals`), so that the
// divisions by its power of ten become multiplications, or taken from `decimals` when
// kDecimals is 0.
template <int kDecimals>
inline bool fixed_exact(char* out, int width, int decimals_given, bool plus, double value) {
  const int decimals = kDecimals > 0 ? kDecimals : decimals_given;
  if (decimals < 1 || decimals > max_exact_decimals || width > max_exact_width) return false;
  bool negative = false;
  std::uint64_t rounded = 0;
  if (!round_scaled(value, decimals, negative, rounded)) return false;
  const std::uint64_t whole = kDecimals > 0 ? rounded / powers_of_ten[kDecimals]
                                            : divide_by_power_of_ten(rounded, decimals);
  const char sign = (negative && rounded != 0) ? '-' : (plus ? '+' : 0);
  put_fixed(out, width, decimals, sign, rounded, whole);
  return true;
}

}  // namespace

bool write_fixed_exact(char* out, int width, int decimals, bool plus, double value) {
  return decimals == 3 ? fixed_exact<3>(out, width, decimals, plus, value)
                       : fixed_exact<0>(out, width, decimals, plus, value);
}

void write_fixed(char* out, int width, int decimals, bool plus, double value,
                 std::string& scratch) {
  if (!write_fixed_exact(out, width, decimals, plus, value)) {
    write_fixed_general(out, width, decimals, plus, value, scratch);
  }
}

void write_fixed_general(char* out, int width, int decimals, bool plus, double value,
                         std::string& scratch) {
  if (write_special(out, width, plus, value)) return;
  // Even without its zero, the point and the decimals need decimals + 1 columns.
  if (static_cast<std::int64_t>(decimals) + 1 > width) {
    stars(out, width);
    return;
  }
  scratch.resize(static_cast<std::size_t>(decimals) + 400);
  auto [end, ec] = std::to_chars(scratch.data(), scratch.data() + scratch.size(),
                                 std::fabs(value), std::chars_format::fixed, decimals);
  if (ec != std::errc()) {
    stars(out, width);
    return;
  }
  std::string_view body(scratch.data(), static_cast<std::size_t>(end - scratch.data()));
  if (decimals == 0) {
    *end = '.';
    body = std::string_view(scratch.data(), body.size() + 1);
  }
  char sign = (std::signbit(value) && !all_zero_digits(body)) ? '-' : (plus ? '+' : 0);
  std::size_t length = body.size() + (sign ? 1 : 0);
  if (length == static_cast<std::size_t>(width) + 1 && decimals > 0 && body[0] == '0') {
    body.remove_prefix(1);
  }
  place(out, width, sign, body);
}

namespace {

// The `decimals` mantissa digits of |value| into `digits` and its exponent for the form 0.dddd
// into `exponent`: to_chars gives d.ddde+xx with `decimals` digits in all, and the exponent
// then counts one more. The digits and to_chars' text share `scratch`. Returns the count of
// digits, or -1 when to_chars fails.
long exponent_mantissa(int decimals, double value, std::string& scratch, long& exponent) {
  scratch.resize(static_cast<std::size_t>(decimals) + 400);
  char* digits = scratch.data();
  exponent = 0;
  if (value == 0) {
    std::memset(digits, '0', static_cast<std::size_t>(decimals));
    return decimals;
  }
  std::size_t count = 0;
  char* text = scratch.data() + decimals + 1;
  auto [end, ec] = std::to_chars(text, scratch.data() + scratch.size(), std::fabs(value),
                                 std::chars_format::scientific, decimals - 1);
  if (ec != std::errc()) return -1;
  char* p = text;
  for (; p < end && *p != 'e'; ++p) {
    if (*p != '.') digits[count++] = *p;
  }
  ++p;  // the 'e'
  bool negative_exponent = *p == '-';
  ++p;
  for (; p < end; ++p) exponent = exponent * 10 + (*p - '0');
  if (negative_exponent) exponent = -exponent;
  ++exponent;
  return static_cast<long>(count);
}

// The exponent part of an Ew.d or Ew.dEe field into `text`: with `exponent_digits` digits and
// the letter when e is given, else the letter and two digits, or three digits without the
// letter. Returns its length, or -1 when the exponent does not fit.
int exponent_part(long exponent, int exponent_digits, char letter, char (&text)[16]) {
  int length = 0;
  long magnitude = exponent < 0 ? -exponent : exponent;
  int needed = magnitude >= 100 ? 3 : 2;
  if (exponent_digits > 0) {
    int size = 1;
    for (long m = magnitude; m >= 10; m /= 10) ++size;
    if (size > exponent_digits || exponent_digits > 12) return -1;
    needed = exponent_digits;
    text[length++] = letter;
  } else if (magnitude > 999) {
    return -1;
  } else if (needed == 2) {
    text[length++] = letter;
  }
  text[length++] = exponent < 0 ? '-' : '+';
  for (int i = needed - 1; i >= 0; --i) {
    long power = 1;
    for (int k = 0; k < i; ++k) power *= 10;
    text[length++] = static_cast<char>('0' + (magnitude / power) % 10);
  }
  return length;
}

}  // namespace

void write_exponent(char* out, int width, int decimals, int exponent_digits, char letter,
                    bool plus, double value, std::string& scratch) {
  if (write_special(out, width, plus, value)) return;
  if (decimals == 0 || static_cast<std::int64_t>(decimals) + 1 > width) {
    stars(out, width);
    return;
  }
  long exponent = 0;
  const long count = exponent_mantissa(decimals, value, scratch, exponent);
  if (count < 0) {
    stars(out, width);
    return;
  }
  char exponent_text[16];
  const int exponent_length = exponent_part(exponent, exponent_digits, letter, exponent_text);
  if (exponent_length < 0) {
    stars(out, width);
    return;
  }
  std::string_view mantissa(scratch.data(), static_cast<std::size_t>(count));
  char sign = (std::signbit(value) && !all_zero_digits(mantissa)) ? '-' : (plus ? '+' : 0);
  std::string body;
  body.reserve(static_cast<std::size_t>(count) + 20);
  body.append("0.").append(mantissa).append(exponent_text, static_cast<std::size_t>(exponent_length));
  std::string_view view(body);
  if (view.size() + (sign ? 1 : 0) == static_cast<std::size_t>(width) + 1) view.remove_prefix(1);
  place(out, width, sign, view);
}

void write_integers(char* out, int width, int min_digits, bool plus,
                    std::span<const std::int32_t> values) {
  if (packed::available && min_digits < 0 && !plus && width >= 3 && width <= 8) {
    // Alleles and the like, 0 to 999: a look-up and one store each, here in the loop rather
    // than behind a call per value.
    const packed::Fields fields(width, 3, out + values.size() * static_cast<std::size_t>(width));
    for (std::int32_t value : values) fields.integer(out, value);
    return;
  }
  if (min_digits < 0 && !plus && width >= 3) {
    // Wider fields of the same values: blanks and a look-up.
    for (std::int32_t value : values) {
      if (static_cast<std::uint32_t>(value) < 1000) {
        blanks(out, static_cast<std::size_t>(width - 3));
        put_three(out + width - 3, packed::triples.blank[value]);
      } else {
        write_integer(out, width, min_digits, plus, value);
      }
      out += width;
    }
    return;
  }
  for (std::int32_t value : values) {
    write_integer(out, width, min_digits, plus, value);
    out += width;
  }
}

void write_fixeds(char* out, int width, int decimals, bool plus, std::span<const float> values,
                  std::string& scratch) {
  if (decimals == 3 && !plus && width >= 5 && width <= max_exact_width) {
    // The deviates of the trace file: three decimals, known here once for the whole run, and
    // values from 0 to below 10, one digit before the point. Fields of up to eight columns go
    // in place by one store.
    const bool one_store = packed::available && width <= 8;
    const packed::Fields fields(one_store ? width : 8, 5,
                                out + values.size() * static_cast<std::size_t>(width));
    // The value in thousandths is exact in double precision (24 bits times 10 bits), and
    // adding 2^52 rounds it to an integer, half to even, in the low bits of the sum. Worked
    // out for a block of values at once, which the compiler does several to an instruction;
    // the sum means nothing for the values the test below sends the long way.
    constexpr std::size_t block = 64;
    std::uint64_t thousandths[block];
    for (std::size_t first = 0; first < values.size(); first += block) {
      const std::span<const float> part = values.subspan(first, std::min(block, values.size() - first));
      for (std::size_t k = 0; k < part.size(); ++k) {
        thousandths[k] = std::bit_cast<std::uint64_t>(static_cast<double>(part[k]) * 1000.0 + 0x1p52) -
                         std::bit_cast<std::uint64_t>(0x1p52);
      }
      for (std::size_t k = 0; k < part.size(); ++k) {
        const float value = part[k];
        const std::uint32_t pattern = std::bit_cast<std::uint32_t>(value);
        if (pattern < 0x41200000u) {  // +0 up to below 10.0f
          const std::uint64_t rounded = thousandths[k];
          if (one_store && rounded <= 1000) {  // a deviate: the whole field in one look-up
            fields.put(out, packed::thousandths.word[rounded]);
            continue;
          }
          if (rounded < 10000) {  // 9.9995 and above round to 10.000, two digits: taken below
            const std::uint64_t whole = rounded / 1000;
            if (one_store) {
              fields.put(out, ('0' + whole) | (std::uint64_t{'.'} << 8) |
                                  (packed::triples.zero[rounded - whole * 1000] << 16));
              continue;
            }
            blanks(out, static_cast<std::size_t>(width - 5));
            char* at = out + width - 5;
            at[0] = static_cast<char>('0' + whole);
            at[1] = '.';
            put_three(at + 2, packed::triples.zero[rounded - whole * 1000]);
            out += width;
            continue;
          }
        }
        if (!fixed_exact<3>(out, width, 3, plus, static_cast<double>(value))) {
          write_fixed_general(out, width, 3, plus, static_cast<double>(value), scratch);
        }
        out += width;
      }
    }
    return;
  }
  for (float value : values) {
    write_fixed(out, width, decimals, plus, static_cast<double>(value), scratch);
    out += width;
  }
}

}  // namespace records
