#include "famlint/family_index.hpp"

#include "famlint/messages.hpp"

namespace famlint {

outcome::Outcome crtins(const Data& data, std::int32_t ndat, FamilyIndex& buf1,
                        std::string_view file_name) {
  std::int32_t families = 1;
  buf1.last[0] = 0;
  buf1.last[1] = 1;
  for (std::int32_t row = 2; row <= ndat; ++row) {
    if (data.family[row] == data.family[row - 1]) {
      ++buf1.last[families];
      continue;
    }
    if (families == max_families) {
      buf1.families = static_cast<std::int16_t>(families);
      return outcome::stop(too_many_families_message(file_name, row));
    }
    ++families;
    buf1.last[families] = static_cast<std::int16_t>(buf1.last[families - 1] + 1);
  }
  buf1.families = static_cast<std::int16_t>(families);
  return std::nullopt;
}

}  // namespace famlint
