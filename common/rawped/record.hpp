// One individual of a raw pedigree file, as the reader leaves it and famorder then rewrites it.
#pragma once

#include <cstdint>

namespace rawped {

// Room for a label: at most this many characters are kept, then the terminating NUL.
constexpr int label_chars = 7;

// Field order follows the record table of the raw pedigree reader; the table is obtained
// zero-filled, so a field that its line does not supply stays 0 and the label stays empty.
struct PedRecord {
  std::int32_t ped;    // pedigree number, 0 until famorder assigns it
  std::int32_t id;     // raw id (0: none); famorder replaces it by the number in the pedigree
  std::int32_t nfat;   // father's raw id (0: not given); famorder replaces it by his number
  std::int32_t nmat;   // mother's raw id (0: not given); famorder replaces it by her number
  std::int32_t race;   // carried, never interpreted here
  std::int32_t sex;    // carried, never interpreted here
  std::int32_t oldid;  // the name kept for the identifier column (see missing_id.hpp)
  char label[label_chars + 1];
};

}  // namespace rawped
