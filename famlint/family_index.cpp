#include "famlint/family_index.hpp"

#include "famlint/messages.hpp"

namespace famlint {

outcome::Outcome crtins(const Data& data, std::int32_t ndat, FamilyIndex& buf1,
                        std::string_view file_name, std::int32_t most) {
  if (buf1.last.size() < static_cast<std::size_t>(most) + 1) buf1.last.resize(static_cast<std::size_t>(most) + 1);
  std::int32_t families = 1;
  buf1.last[0] = 0;
  buf1.last[1] = 1;
  for (std::int32_t row = 2; row <= ndat; ++row) {
    if (data.family[row] == data.family[row - 1]) {
      ++buf1.last[families];
      continue;
    }
    if (families == most) {
      buf1.families = families;
      return outcome::stop(too_many_families_message(file_name, row));
    }
    ++families;
    buf1.last[families] = buf1.last[families - 1] + 1;
  }
  buf1.families = families;
  return std::nullopt;
}

}  // namespace famlint
