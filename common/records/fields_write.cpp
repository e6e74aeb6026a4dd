#include <charconv>
#include <cmath>
#include <cstring>

#include "fields.hpp"

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

bool all_zero_digits(std::string_view text) {
  for (char c : text) {
    if (c >= '1' && c <= '9') return false;
  }
  return true;
}

}  // namespace

void write_integer(char* out, int width, int min_digits, bool plus, std::int32_t value) {
  char digits[16];
  int n = 0;
  std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value)
                                      : static_cast<std::uint32_t>(value);
  while (magnitude != 0) {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  if (min_digits < 0 && n == 0) digits[n++] = '0';
  char sign = value < 0 ? '-' : (plus ? '+' : 0);
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

void write_fixed(char* out, int width, int decimals, bool plus, double value,
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

void write_exponent(char* out, int width, int decimals, int exponent_digits, char letter,
                    bool plus, double value, std::string& scratch) {
  if (write_special(out, width, plus, value)) return;
  if (decimals == 0 || static_cast<std::int64_t>(decimals) + 1 > width) {
    stars(out, width);
    return;
  }
  // The mantissa digits come from to_chars in the form d.ddde+xx with decimals digits in all;
  // the exponent then counts one more, for the form 0.dddd.
  scratch.resize(static_cast<std::size_t>(decimals) + 400);
  char* digits = scratch.data();
  std::size_t count = 0;
  long exponent = 0;
  if (value == 0) {
    std::memset(digits, '0', static_cast<std::size_t>(decimals));
    count = static_cast<std::size_t>(decimals);
  } else {
    char* text = scratch.data() + decimals + 1;
    auto [end, ec] = std::to_chars(text, scratch.data() + scratch.size(), std::fabs(value),
                                   std::chars_format::scientific, decimals - 1);
    if (ec != std::errc()) {
      stars(out, width);
      return;
    }
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
  }
  char exponent_text[16];
  int exponent_length = 0;
  long magnitude = exponent < 0 ? -exponent : exponent;
  int needed = magnitude >= 100 ? 3 : 2;
  if (exponent_digits > 0) {
    int size = 1;
    for (long m = magnitude; m >= 10; m /= 10) ++size;
    if (size > exponent_digits || exponent_digits > 12) {
      stars(out, width);
      return;
    }
    needed = exponent_digits;
    exponent_text[exponent_length++] = letter;
  } else if (magnitude > 999) {
    stars(out, width);
    return;
  } else if (needed == 2) {
    exponent_text[exponent_length++] = letter;
  }
  exponent_text[exponent_length++] = exponent < 0 ? '-' : '+';
  for (int i = needed - 1; i >= 0; --i) {
    long power = 1;
    for (int k = 0; k < i; ++k) power *= 10;
    exponent_text[exponent_length++] = static_cast<char>('0' + (magnitude / power) % 10);
  }
  std::string_view mantissa(digits, count);
  char sign = (std::signbit(value) && !all_zero_digits(mantissa)) ? '-' : (plus ? '+' : 0);
  std::string body;
  body.reserve(count + 20);
  body.append("0.").append(mantissa).append(exponent_text, static_cast<std::size_t>(exponent_length));
  std::string_view view(body);
  if (view.size() + (sign ? 1 : 0) == static_cast<std::size_t>(width) + 1) view.remove_prefix(1);
  place(out, width, sign, view);
}

}  // namespace records
