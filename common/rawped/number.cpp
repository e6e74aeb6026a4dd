#include "common/rawped/number.hpp"

#include <cstdint>

namespace rawped {

namespace {

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

}  // namespace

bool scan_int(const char*& p, std::int32_t& value) {
  bool in_range = true;
  return scan_int(p, value, in_range);
}

bool scan_int(const char*& p, std::int32_t& value, bool& in_range) {
  const char* s = p;
  while (is_space(*s)) ++s;
  bool negative = false;
  if (*s == '+' || *s == '-') {
    negative = *s == '-';
    ++s;
  }
  int base = 10;
  if (*s == '0') {
    if (s[1] == 'x' || s[1] == 'X') {
      base = 16;
      s += 2;  // "0x" alone is a complete number, 0
    } else {
      base = 8;  // the leading 0 is itself a digit
    }
  } else if (digit_value(*s) >= 10) {
    return false;
  }

  // Magnitude limit of a 64-bit long: 2^63 - 1 upward, 2^63 downward.
  const std::uint64_t limit = negative ? (std::uint64_t{1} << 63) : (std::uint64_t{1} << 63) - 1;
  std::uint64_t magnitude = 0;
  bool saturated = false;
  for (; digit_value(*s) < base; ++s) {
    const std::uint64_t d = static_cast<std::uint64_t>(digit_value(*s));
    if (saturated || magnitude > (limit - d) / static_cast<std::uint64_t>(base)) {
      saturated = true;
      continue;
    }
    magnitude = magnitude * static_cast<std::uint64_t>(base) + d;
  }
  if (saturated) magnitude = limit;
  in_range = magnitude <= (negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1);
  const std::uint64_t bits = negative ? (~magnitude + 1) : magnitude;
  value = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits & 0xffffffffu));
  p = s;
  return true;
}

}  // namespace rawped
