// The family index `buf1`: where each family's records end in the pedigree table.
#pragma once

#include <vector>
#include <cstdint>
#include <string_view>

#include "common/outcome/outcome.hpp"
#include "famlint/pedigree_table.hpp"

namespace famlint {

// Families the index holds.
constexpr std::int32_t max_families = 2600;

// The limits a run applies: famlint's table by default. simreps checks a study beyond them
// with the numbered pedigree's own limits, and its fields whole.
struct Limits {
  std::int32_t records = max_records;
  std::int32_t families = max_families;
  // Whether the integer fields keep only their low 16 or 8 bits, as famlint stores them.
  bool narrow = true;
};

// Family k (1..families) holds rows last[k-1]+1 to last[k]; last[0] is 0.
struct FamilyIndex {
  std::int32_t families = 0;
  std::vector<std::int32_t> last = std::vector<std::int32_t>(max_families + 1);
};

// Fills `buf1` from the family numbers of rows 1..ndat of `data` (ndat in 1..max_records): a
// family is a run of neighbouring rows with equal numbers, whatever the numbers are.
// Returns nothing when the runs fit the index; otherwise the message naming `file_name` and the
// row that opens the family one past `most` (max_families unless the caller gives more),
// leaving `buf1` full.
outcome::Outcome crtins(const Data& data, std::int32_t ndat, FamilyIndex& buf1,
                        std::string_view file_name, std::int32_t most = max_families);

}  // namespace famlint
