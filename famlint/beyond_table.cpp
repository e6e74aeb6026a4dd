#include "famlint/beyond_table.hpp"

#include "common/outcome/beyond_table.hpp"
#include "famlint/family_index.hpp"
#include "famlint/messages.hpp"

namespace famlint {

std::string beyond_table_note(const outcome::Stop& stop, std::string_view file_name, const Data& data,
                              std::int32_t ndat) {
  if (stop.text == sample_size_message())
    return ndat > max_records ? outcome::beyond_table("famlint", "the pedigree", ndat, "records", max_records)
                              : std::string();
  // The family index stops at the first family past its table; all records were read by then.
  std::int32_t families = 1, first_beyond = 0;
  for (std::int32_t row = 2; row <= ndat && row <= max_records; ++row) {
    if (data.family[row] == data.family[row - 1]) continue;
    if (++families == max_families + 1) first_beyond = row;
  }
  if (first_beyond == 0 || stop.text != too_many_families_message(file_name, first_beyond)) return {};
  return outcome::beyond_table("famlint", "the pedigree", families, "families", max_families);
}

}  // namespace famlint
