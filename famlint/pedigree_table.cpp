#include "famlint/pedigree_table.hpp"

namespace famlint {

void store_record(Data& data, std::int32_t row, const RecordFields& fields,
                  const std::array<char, name_length>& name) {
  // Conversion to a narrower signed type keeps the low bits (two's complement) in C++20.
  data.family[row] = static_cast<std::int16_t>(fields.family);
  data.individual[row] = static_cast<std::int16_t>(fields.individual);
  data.father[row] = static_cast<std::int16_t>(fields.father);
  data.mother[row] = static_cast<std::int16_t>(fields.mother);
  data.race[row] = static_cast<std::int8_t>(fields.race);
  data.sex[row] = static_cast<std::int8_t>(fields.sex);
  data.name[row] = name;
}

}  // namespace famlint
