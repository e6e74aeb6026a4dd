// One record of the numbered pedigree that famorder writes, as famlint and genodrop read it:
// family, individual, father, mother, race and sex in five columns each, then the identifier
// in columns 31-42.
#pragma once

#include <cstdint>

namespace numbered_pedigree {

// The six integer fields of one record, as read.
struct Record {
  std::int32_t family = 0;
  std::int32_t individual = 0;
  std::int32_t father = 0;
  std::int32_t mother = 0;
  std::int32_t race = 0;
  std::int32_t sex = 0;
};

}  // namespace numbered_pedigree
