#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <type_traits>

#include "common/records/fields.hpp"

namespace records {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Walks the characters of a numeric field the way fixed-column fields are read: leading
// blanks are passed over; later blanks are skipped, or read as zeros under BZ.
class FieldChars {
 public:
  FieldChars(std::string_view field, bool blanks_are_zeros)
      : field_(field), zeros_(blanks_are_zeros) {
    while (pos_ < field_.size() && field_[pos_] == ' ') ++pos_;
  }
  // The next character, or 0 at the end of the field.
  char peek() {
    if (!zeros_) {
      while (pos_ < field_.size() && field_[pos_] == ' ') ++pos_;
    }
    if (pos_ >= field_.size()) return '\0';
    return field_[pos_] == ' ' ? '0' : field_[pos_];
  }
  void take() { ++pos_; }

 private:
  std::string_view field_;
  bool zeros_;
  std::size_t pos_ = 0;
};

// Exponents (and counts of fraction digits) stop growing here: far beyond any double, so the
// conversion still sees an infinity or a zero, and no sum of them can overflow a long.
constexpr long exponent_cap = 100'000'000;

// The common field, a few digits and a small power of ten such as the frequencies "0.050" of
// a chromosome file, without the library's conversion: when the digits and the power of ten
// are both exact in T, one multiplication or division rounds their exact value once, as
// strtof and strtod do (the shortcut of Clinger's method). Returns false, setting nothing,
// for any other field.
template <typename T>
bool exact_shortcut(std::string_view digits, long exponent, bool negative, T& value) {
  constexpr bool single = std::is_same_v<T, float>;
  // Digits below 2^24 (2^53) and powers of ten up to 10^10 (10^22) are exact.
  constexpr std::size_t max_digits = single ? 7 : 15;
  constexpr long max_power = single ? 10 : 22;
  if (digits.size() > max_digits || exponent > max_power || exponent < -max_power) return false;
  std::uint64_t whole = 0;
  for (char c : digits) whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
  T power = 1;
  for (long k = 0; k < (exponent < 0 ? -exponent : exponent); ++k) power *= 10;
  const T n = static_cast<T>(whole);
  const T result = exponent < 0 ? n / power : n * power;
  value = negative ? -result : result;
  return true;
}

// What the digits of a real field before its exponent said besides the digits themselves.
struct Mantissa {
  bool negative = false;
  bool any_digit = false;
  bool point = false;
  long fraction_digits = 0;  // digits after the point, up to exponent_cap
};

// Reads the sign, digits and point of a real field into `mantissa` and its significant digits
// into `digits`, leaving `next` at the first character after them. False for a second point.
[[gnu::always_inline]] inline bool read_mantissa(FieldChars& chars, std::string& digits,
                                                 Mantissa& mantissa, char& next) {
  char c = chars.peek();
  if (c == '+' || c == '-') {
    mantissa.negative = c == '-';
    chars.take();
  }
  for (c = chars.peek(); is_digit(c) || c == '.'; c = chars.peek()) {
    chars.take();
    if (c == '.') {
      if (mantissa.point) return false;
      mantissa.point = true;
      continue;
    }
    mantissa.any_digit = true;
    if (mantissa.point && mantissa.fraction_digits < exponent_cap) ++mantissa.fraction_digits;
    // Leading zeros carry no value; dropping them keeps the digit string short.
    if (c != '0' || !digits.empty()) digits.push_back(c);
  }
  next = c;
  return true;
}

// Reads the exponent that starts at `c` (a letter E, D or Q, or a sign, then digits) into
// `exponent`, up to exponent_cap; it must end the field.
[[gnu::always_inline]] inline FieldStatus read_exponent(FieldChars& chars, char c,
                                                        long& exponent) {
  if (c == 'E' || c == 'e' || c == 'D' || c == 'd' || c == 'Q' || c == 'q') {
    chars.take();
    c = chars.peek();
  }
  bool exponent_negative = false;
  if (c == '+' || c == '-') {
    exponent_negative = c == '-';
    chars.take();
    c = chars.peek();
  }
  if (!is_digit(c)) return FieldStatus::unexpected_character;
  for (; is_digit(c); c = chars.peek()) {
    chars.take();
    if (exponent < exponent_cap) exponent = exponent * 10 + (c - '0');
  }
  if (c != '\0') return FieldStatus::unexpected_character;
  if (exponent_negative) exponent = -exponent;
  return FieldStatus::ok;
}

// The value of `digits` times 10^exponent, negated when `negative`: by the exact shortcut
// where it applies, else by the library's correctly rounded conversion of "[-]digits e exponent".
template <typename T>
FieldStatus convert_digits(std::string& digits, long exponent, bool negative, T& value) {
  if (exact_shortcut(digits, exponent, negative, value)) return FieldStatus::ok;
  if (negative) digits.insert(digits.begin(), '-');
  digits.push_back('e');
  digits.append(std::to_string(exponent));
  // strtof and strtod round correctly, and the text holds no decimal point, so the locale
  // plays no part.
  errno = 0;
  T result;
  if constexpr (std::is_same_v<T, float>) {
    result = std::strtof(digits.c_str(), nullptr);
  } else {
    result = std::strtod(digits.c_str(), nullptr);
  }
  if (std::isinf(result)) return FieldStatus::overflow;
  value = result;
  return FieldStatus::ok;
}

template <typename T>
FieldStatus read_real_as(std::string_view field, int decimals, int scale,
                         bool blanks_are_zeros, std::string& digits, T& value) {
  FieldChars chars(field, blanks_are_zeros);
  digits.clear();
  Mantissa mantissa;
  char c = '\0';
  if (!read_mantissa(chars, digits, mantissa, c)) return FieldStatus::unexpected_character;
  long exponent = 0;
  bool has_exponent = false;
  if (c != '\0') {
    if (!mantissa.any_digit) return FieldStatus::unexpected_character;
    const FieldStatus status = read_exponent(chars, c, exponent);
    if (status != FieldStatus::ok) return status;
    has_exponent = true;
  }
  if (digits.empty()) {
    value = mantissa.negative ? -T(0) : T(0);
    return FieldStatus::ok;
  }
  exponent -= mantissa.point ? mantissa.fraction_digits : decimals;
  if (!has_exponent) exponent -= scale;
  return convert_digits(digits, exponent, mantissa.negative, value);
}

}  // namespace

FieldStatus read_integer(std::string_view field, bool blanks_are_zeros, std::int32_t& value) {
  FieldChars chars(field, blanks_are_zeros);
  bool negative = false;
  char c = chars.peek();
  if (c == '+' || c == '-') {
    negative = c == '-';
    chars.take();
  }
  std::int64_t magnitude = 0;
  const std::int64_t limit = negative ? std::int64_t{2147483648} : std::int64_t{2147483647};
  for (c = chars.peek(); c != '\0'; c = chars.peek()) {
    if (!is_digit(c)) return FieldStatus::unexpected_character;
    chars.take();
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) return FieldStatus::overflow;
  }
  value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return FieldStatus::ok;
}

FieldStatus read_real_general(std::string_view field, int decimals, int scale,
                              bool blanks_are_zeros, std::string& scratch, float& value) {
  return read_real_as(field, decimals, scale, blanks_are_zeros, scratch, value);
}

FieldStatus read_real_general(std::string_view field, int decimals, int scale,
                              bool blanks_are_zeros, std::string& scratch, double& value) {
  return read_real_as(field, decimals, scale, blanks_are_zeros, scratch, value);
}

}  // namespace records
