// orpd: groups, orders and numbers the record table.
#pragma once

#include <cstdint>

#include "famorder/table.hpp"

namespace famorder {

// The fields of a numbered pedigree record, in the order they are written.
enum class Column { ped, id, nfat, nmat, race, sex, oldid };

struct OrpdOutcome {
  enum class Kind {
    ok,
    one_parent,          // the record at input position `position` has exactly one parent
    same_id,             // two records found with id `id`
    too_many_pedigrees,  // more than max_pedigrees pedigrees (numped says how many)
    unfit,               // a spare number past 32 bits at table row `row`, column `column`
  };
  Kind kind = Kind::ok;
  std::int32_t position = 0;
  std::int32_t id = 0;
  std::int32_t numped = 0;
  std::size_t row = 0;
  Column column = Column::nfat;
  std::int64_t value = 0;
};

// Numbers the records of `table` (as read: input order, every ped 0): sets oldid to the raw id
// or to the name of an individual without one, gives every record its pedigree number, brings
// each pedigree's records together by the exchange passes (moving the lines along), and
// numbers individuals and parents within each pedigree. Returns ok with numped, or the first
// failure; on failure the table is left partly changed.
OrpdOutcome orpd(PedTable& table);

}  // namespace famorder
