#include "write_table.hpp"

#include <charconv>
#include <string>

namespace famorder {

namespace {

// Appends `value` right-aligned in `width` columns; a wider value widens the field.
void put_field(std::string& out, std::int64_t value, int width) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const int len = static_cast<int>(end - digits);
  if (len < width) out.append(static_cast<std::size_t>(width - len), ' ');
  out.append(digits, end);
}

bool fits(std::int64_t value, int width) {
  std::int64_t most = 1;
  for (int i = 0; i < width; ++i) most *= 10;
  return value < most && -value < most / 10;
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
  std::string text;
  text.reserve(64 * 1024 + 64);
  put_field(text, static_cast<std::int64_t>(table.oldped.size()), 5);
  put_field(text, 2, 5);
  text += '\n';
  bool ok = true;
  for (const auto& r : table.oldped) {
    for (const std::int32_t v : {r.ped, r.id, r.nfat, r.nmat, r.race, r.sex}) put_field(text, v, 5);
    put_field(text, r.oldid, 12);
    text += '\n';
    if (text.size() >= 64 * 1024) {
      ok = ok && std::fwrite(text.data(), 1, text.size(), out) == text.size();
      text.clear();
    }
  }
  ok = ok && std::fwrite(text.data(), 1, text.size(), out) == text.size();
  return ok && std::fflush(out) == 0;
}

}  // namespace famorder
