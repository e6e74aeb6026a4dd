#include "famlint/pedigree_table.hpp"

namespace famlint {

void store_record(Data& data, std::int32_t row, const RecordFields& fields,
                  const std::array<char, name_length>& name) {
  // Conversion to a narrower signed type keeps the low bits (two's complement) in C++20.
  const auto word = [&data](std::int32_t v) { return data.narrow ? static_cast<std::int16_t>(v) : v; };
  const auto byte = [&data](std::int32_t v) { return data.narrow ? static_cast<std::int8_t>(v) : v; };
  data.family[row] = word(fields.family);
  data.individual[row] = word(fields.individual);
  data.father[row] = word(fields.father);
  data.mother[row] = word(fields.mother);
  data.race[row] = byte(fields.race);
  data.sex[row] = byte(fields.sex);
  data.name[row] = name;
}

}  // namespace famlint
