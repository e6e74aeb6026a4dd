// The integer syntax of the suite's free-format files: the raw pedigree, and the numbered
// pedigree, marker genotype and phenotype files as the SOLAR converters read them.
#pragma once

#include <cstdint>

namespace rawped {

// Reads one integer from the text at `p` (which must end with a NUL): leading white space is
// skipped; an optional sign '+' or '-'; then "0x" or "0X" starts a hexadecimal number, any
// other leading 0 an octal one, anything else a decimal one. Reading stops at the first
// character that cannot continue the number, so "010" is 8 and "08" is 0 followed by "8";
// "0x" with no hexadecimal digit after it reads as 0, both characters taken. A value beyond
// the 64-bit range is held at the nearest 64-bit limit, and the result is that value's low 32
// bits, as the C library's "%i" conversion stores it.
// Returns true and sets `value` and `p` (just past the number) when a number was read; returns
// false and leaves both unchanged when the text at `p` (after white space) is not a number.
bool scan_int(const char*& p, std::int32_t& value);

// The same, and sets `in_range` to whether the number lies within the 32-bit range, so that a
// caller can refuse a number that the 32 bits would silently change.
bool scan_int(const char*& p, std::int32_t& value, bool& in_range);

}  // namespace rawped
