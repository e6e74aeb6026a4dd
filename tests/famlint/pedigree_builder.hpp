// Fills famlint's pedigree table from short lists of records, for the unit tests.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "famlint/pedigree_table.hpp"

namespace famlint::testing {

struct Pedigree {
  std::unique_ptr<Data> data = std::make_unique<Data>();
  std::int32_t ndat = 0;

  // Appends one record as read from a file: family, individual, father, mother, race, sex.
  Pedigree& add(std::int32_t family, std::int32_t individual, std::int32_t father,
                std::int32_t mother, std::int32_t race, std::int32_t sex) {
    ++ndat;
    std::array<char, name_length> name;
    name.fill(' ');
    store_record(*data, ndat, {family, individual, father, mother, race, sex}, name);
    return *this;
  }

  // Appends family `family` as a trio (father 1, mother 2, child 3) with sound sexes.
  Pedigree& trio(std::int32_t family) {
    return add(family, 1, 0, 0, 1, 1).add(family, 2, 0, 0, 1, 2).add(family, 3, 1, 2, 0, 1);
  }
};

}  // namespace famlint::testing
