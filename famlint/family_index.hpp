// The family index `buf1`: where each family's records end in the pedigree table.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "common/outcome/outcome.hpp"
#include "famlint/pedigree_table.hpp"

namespace famlint {

// Families the index holds.
constexpr std::int32_t max_families = 2600;

// Family k (1..families) holds rows last[k-1]+1 to last[k]; last[0] is 0. Entries are 16-bit
// like the rows they name, which never exceed max_records.
struct FamilyIndex {
  std::int16_t families = 0;
  std::array<std::int16_t, max_families + 1> last{};
};

// Fills `buf1` from the family numbers of rows 1..ndat of `data` (ndat in 1..max_records): a
// family is a run of neighbouring rows with equal numbers, whatever the numbers are.
// Returns nothing when the runs fit the index; otherwise the message naming `file_name` and the
// row that opens the family one past max_families, leaving `buf1` full.
outcome::Outcome crtins(const Data& data, std::int32_t ndat, FamilyIndex& buf1,
                        std::string_view file_name);

}  // namespace famlint
