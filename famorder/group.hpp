// Grouping: which records belong to one pedigree, and the first error met on the way.
#pragma once

#include <cstdint>
#include <span>

#include "common/rawped/record.hpp"
#include "famorder/values.hpp"

namespace famorder {

struct GroupOutcome {
  enum class Kind {
    ok,
    one_parent,  // the record at input position `position` has exactly one parent
    same_id,     // two records found with id `id`
  };
  Kind kind = Kind::ok;
  std::int32_t position = 0;
  std::int32_t id = 0;
  std::int32_t numped = 0;  // pedigrees numbered (those given before a failure included)
};

// Gives every record of `records` (in input order, every ped 0) its pedigree number in `ped`:
// pedigrees are numbered 1, 2, ... in the order of their first record. Relatives are gathered
// exactly in the order of ofre, which scans the whole table for every record it takes in, so
// the first error reported is the one that scan meets first; here indexes from values to
// records take the place of the scans, and an explicit stack the place of the recursion, so
// the cost grows with the records, not their square, and no chain is too long. A table in
// which no error can arise (no record with one parent, no id twice) is grouped by union-find.
// `values` numbers the values of `records` (number_values).
// Returns ok with numped (which may exceed max_pedigrees: the caller checks), or the first
// error; on error the ped fields are partly set.
GroupOutcome group_pedigrees(std::span<rawped::PedRecord> records, const ValueNumbers& values);

}  // namespace famorder
