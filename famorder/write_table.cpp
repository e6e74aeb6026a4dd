#include "famorder/write_table.hpp"

#include <charconv>
#include <cstring>
#include <vector>

#include "common/records/packed_fields.hpp"

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

// Numbers from 0 to 999,999 as six characters right-justified over blanks: character k in
// bits 8k to 8k+7, so that in a little-endian machine's memory the word begins with them.
std::uint64_t six_columns(std::uint32_t value) {
  using records::packed::triples;
  if (value < 1000) return 0x202020u | (triples.blank[value] << 24);
  return triples.blank[value / 1000] | (triples.zero[value % 1000] << 24);
}

// Writes the usual line, every value from 0 up and within its columns (five for the six
// numbers, and at most six digits for the identifier), by stores of eight bytes that run
// into the next field, which overwrites them; at most 8 bytes past the line end are touched.
// Returns false, having written nothing that counts, when a value is not such a one.
bool put_plain_line(char* p, const rawped::PedRecord& r) {
  const std::uint32_t fields[] = {static_cast<std::uint32_t>(r.ped),  static_cast<std::uint32_t>(r.id),
                                  static_cast<std::uint32_t>(r.nfat), static_cast<std::uint32_t>(r.nmat),
                                  static_cast<std::uint32_t>(r.race), static_cast<std::uint32_t>(r.sex)};
  const auto oldid = static_cast<std::uint32_t>(r.oldid);
  bool plain = oldid < 1000000;
  for (const std::uint32_t v : fields) plain = plain && v < 100000;
  if (!plain) return false;
  for (int f = 0; f < 6; ++f) {
    const std::uint64_t word = six_columns(fields[f]) >> 8;  // a blank leads all six
    std::memcpy(p + 5 * f, &word, 8);
  }
  const std::uint64_t blanks = 0x2020202020202020u;
  std::memcpy(p + 30, &blanks, 8);
  const std::uint64_t id = six_columns(oldid) | (std::uint64_t{'\n'} << 48);
  std::memcpy(p + 36, &id, 8);
  return true;
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
  std::vector<char> buffer(block + line_max + 8);  // the last store of a line may pass its end
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
    if (records::packed::available && put_plain_line(p, r)) {
      p += 43;
    } else {  // a negative value, a wide one, or a machine the stores do not suit
      const std::int32_t fields[] = {r.ped, r.id, r.nfat, r.nmat, r.race, r.sex, r.oldid};
      for (int f = 0; f < 7; ++f) p = put_field(p, fields[f], f < 6 ? 5 : 12);
      *p++ = '\n';
    }
    if (static_cast<std::size_t>(p - buffer.data()) >= block) flush();
  }
  flush();
  return ok && std::fflush(out) == 0;
}

}  // namespace famorder
