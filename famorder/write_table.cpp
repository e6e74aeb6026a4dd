#include "famorder/write_table.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <vector>

namespace famorder {

namespace {

// Writes `value` right-aligned in `width` columns at `p`; a wider value widens the field.
// Returns the position after it.
char* put_field(char* p, std::int64_t value, int width) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const int len = static_cast<int>(end - digits);
  for (int i = len; i < width; ++i) *p++ = ' ';
  for (const char* d = digits; d != end; ++d) *p++ = *d;
  return p;
}

// The numbers 00 to 99 as two characters each: two digits per step halve the steps, whose
// count changes from field to field and so is mispredicted.
constexpr std::array<char, 200> digit_pairs = [] {
  std::array<char, 200> t{};
  for (int v = 0; v < 100; ++v) {
    t[2 * v] = static_cast<char>('0' + v / 10);
    t[2 * v + 1] = static_cast<char>('0' + v % 10);
  }
  return t;
}();

// Writes `value`, which fits, so that its last digit lands just before `end`; the blanks
// before it must be there already.
void put_fitting(char* end, std::int32_t value) {
  std::uint32_t mag = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  while (mag >= 100) {
    end -= 2;
    std::memcpy(end, &digit_pairs[2 * (mag % 100)], 2);
    mag /= 100;
  }
  if (mag >= 10) {
    end -= 2;
    std::memcpy(end, &digit_pairs[2 * mag], 2);
  } else {
    *--end = static_cast<char>('0' + mag);
  }
  if (value < 0) *--end = '-';
}

bool fits(std::int64_t value, int width) {
  return width == 5 ? value >= -9999 && value <= 99999
                    : value >= -99999999999 && value <= 999999999999;
}

}  // namespace

std::optional<TooWide> find_too_wide(const PedTable& table) {
  for (std::size_t row = 0; row < table.oldped.size(); ++row) {
    const auto& r = table.oldped[row];
    const std::pair<Column, std::int32_t> fields[] = {
        {Column::ped, r.ped},   {Column::id, r.id},   {Column::nfat, r.nfat},
        {Column::nmat, r.nmat}, {Column::race, r.race}, {Column::sex, r.sex},
        {Column::oldid, r.oldid}};
    for (const auto& [column, value] : fields) {
      if (!fits(value, column == Column::oldid ? 12 : 5)) return TooWide{row, column, value};
    }
  }
  return std::nullopt;
}

bool owif(std::FILE* out, const PedTable& table) {
  // Lines are gathered in a buffer and written in large blocks; one line takes at most
  // 6 * 11 + 12 + 1 characters, since a 32-bit value has at most 11.
  constexpr std::size_t block = 1 << 16;
  constexpr std::size_t line_max = 6 * 11 + 12 + 1;
  std::vector<char> buffer(block + line_max);
  char* p = buffer.data();
  bool ok = true;
  auto flush = [&] {
    const std::size_t len = static_cast<std::size_t>(p - buffer.data());
    ok = ok && std::fwrite(buffer.data(), 1, len, out) == len;
    p = buffer.data();
  };
  p = put_field(p, static_cast<std::int64_t>(table.oldped.size()), 5);
  p = put_field(p, 2, 5);
  *p++ = '\n';
  for (const auto& r : table.oldped) {
    const std::int32_t fields[] = {r.ped, r.id, r.nfat, r.nmat, r.race, r.sex, r.oldid};
    bool all_fit = true;
    for (int f = 0; f < 7; ++f) all_fit = all_fit && fits(fields[f], f < 6 ? 5 : 12);
    if (all_fit) {  // the usual line: 42 columns, filled from the right of each field
      std::fill(p, p + 42, ' ');
      for (int f = 0; f < 7; ++f) put_fitting(p + (f < 6 ? 5 * (f + 1) : 42), fields[f]);
      p += 42;
    } else {
      for (int f = 0; f < 7; ++f) p = put_field(p, fields[f], f < 6 ? 5 : 12);
    }
    *p++ = '\n';
    if (static_cast<std::size_t>(p - buffer.data()) >= block) flush();
  }
  flush();
  return ok && std::fflush(out) == 0;
}

}  // namespace famorder
