// Conversion of single fields between their columns and their values. Internal to the layer.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace records {

enum class FieldStatus { ok, unexpected_character, overflow };

// Blanks the `n` columns at `out` with at most two fixed-size stores for the widths of common
// fields and skips, where a call to memset would cost more than the blanks. Fields are written
// by stores only, never read back, so no load waits on a store just made.
inline void blanks(char* out, std::size_t n) {
  if (n >= 16) {
    std::memset(out, ' ', n);
  } else if (n >= 8) {
    const std::uint64_t eight = 0x2020202020202020ull;
    std::memcpy(out, &eight, 8);
    std::memcpy(out + n - 8, &eight, 8);
  } else if (n >= 4) {
    const std::uint32_t four = 0x20202020u;
    std::memcpy(out, &four, 4);
    std::memcpy(out + n - 4, &four, 4);
  } else if (n >= 2) {
    // Not a loop: the compiler would make a call to memset of it.
    const std::uint16_t two = 0x2020u;
    std::memcpy(out, &two, 2);
    std::memcpy(out + n - 2, &two, 2);
  } else if (n == 1) {
    *out = ' ';
  }
}

// Reads an integer from `field`, the columns of an Iw field up to a comma or the end of the
// line. Blanks are ignored (or, with `blanks_are_zeros`, taken as zeros after the first
// non-blank); an all-blank or sign-only field is 0. Returns unexpected_character for anything
// but a leading sign and digits, overflow when the value does not fit 32 bits.
FieldStatus read_integer(std::string_view field, bool blanks_are_zeros, std::int32_t& value);

// Reads a real from `field`, the columns of an F, E, D or G field: an optional sign, digits
// with an optional point (without a point the last `decimals` digits are the fraction), an
// optional exponent (a letter E, D or Q, or just a sign, then digits). A field without an
// exponent is divided by 10 to the power `scale`. The digits are converted exactly, rounded
// once to the type of `value`. `scratch` is working space. Returns unexpected_character for
// anything else, overflow when the value is beyond the type's range.
FieldStatus read_real_general(std::string_view field, int decimals, int scale,
                              bool blanks_are_zeros, std::string& scratch, float& value);
FieldStatus read_real_general(std::string_view field, int decimals, int scale,
                              bool blanks_are_zeros, std::string& scratch, double& value);

// The common field, "0.050" after blanks as in a chromosome file's frequency lists, read in
// one pass: leading blanks, then digits around one point and nothing else, few enough digits
// that the digits and the power of ten are both exact in T, so that one division rounds their
// exact value once, as strtof and strtod do. Returns false, setting nothing, for any other
// field. Inline, so that a run of such fields costs no call apiece.
template <typename T>
inline bool read_plain_decimal(std::string_view field, T& value) {
  constexpr int max_digits = std::is_same_v<T, float> ? 7 : 15;
  static constexpr T powers[16] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                    1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  std::uint64_t whole = 0;
  int digits = 0, fraction = -1;
  for (; i < field.size(); ++i) {
    const char c = field[i];
    if (c >= '0' && c <= '9') {
      whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
      ++digits;
      if (fraction >= 0) ++fraction;
    } else if (c == '.' && fraction < 0) {
      fraction = 0;
    } else {
      return false;
    }
  }
  if (fraction < 0 || digits == 0 || digits > max_digits) return false;
  value = static_cast<T>(whole) / powers[fraction];
  return true;
}

template <typename T>
inline FieldStatus read_real(std::string_view field, int decimals, int scale,
                             bool blanks_are_zeros, std::string& scratch, T& value) {
  if (scale == 0 && read_plain_decimal(field, value)) return FieldStatus::ok;
  return read_real_general(field, decimals, scale, blanks_are_zeros, scratch, value);
}

// Each writer fills exactly `width` characters at `out`: the value right-justified, or
// `width` asterisks when it does not fit.

// Iw (min_digits < 0) or Iw.m: at least m digits, zero-filled; I w.0 writes 0 as blanks.
void write_integer(char* out, int width, int min_digits, bool plus, std::int32_t value);

// A run of `values` under one repeated Iw or Iw.m item, in consecutive fields from `out`.
void write_integers(char* out, int width, int min_digits, bool plus,
                    std::span<const std::int32_t> values);

// Fw.d: the value rounded to `decimals` places as by printf "%#.*f"; a minus sign only when a
// printed digit is not zero; the zero before the point left out only when the field is
// exactly one column short for it. `scratch` is working space.
void write_fixed(char* out, int width, int decimals, bool plus, double value,
                 std::string& scratch);

// A run of `values` under one repeated Fw.d item, in consecutive fields from `out`.
void write_fixeds(char* out, int width, int decimals, bool plus, std::span<const float> values,
                  std::string& scratch);

// The two ways write_fixed() goes, for the test that holds them to the same bytes.
//
// The exact shortcut for the fields of the suite's files (F6.3 of a deviate, F9.3, F8.2):
// a binary value is an exact binary fraction, so its rounding to `decimals` places is done in
// integers, half to even as printf rounds the exact value. Returns false, writing nothing,
// outside its range: `width` above max_exact_width, `decimals` not in 1..max_exact_decimals,
// a magnitude from 2^53 on, infinity or NaN.
inline constexpr int max_exact_width = 40;
inline constexpr int max_exact_decimals = 9;
bool write_fixed_exact(char* out, int width, int decimals, bool plus, double value);
// The general path, through the library's conversion, for every field.
void write_fixed_general(char* out, int width, int decimals, bool plus, double value,
                         std::string& scratch);

// Ew.d[Ee] and Dw.d: a zero, a point, `decimals` significant digits, then the exponent
// (`letter`, sign and two digits; a sign and three digits for exponents from 100 to 999;
// the letter, sign and `exponent_digits` digits when those are given). The zero is left out
// when the field is one column short for it.
void write_exponent(char* out, int width, int decimals, int exponent_digits, char letter,
                    bool plus, double value, std::string& scratch);

}  // namespace records
