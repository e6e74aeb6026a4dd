// Grouping: which records belong to one pedigree, and the first error met on the way.
#pragma once

#include <cstdint>
#include <span>

#include "common/outcome/outcome.hpp"
#include "common/rawped/record.hpp"
#include "famorder/values.hpp"

namespace famorder {

// Gives every record of `records` (in input order, every ped 0) its pedigree number in `ped`:
// pedigrees are numbered 1, 2, ... in the order of their first record. Relatives are gathered
// exactly in the order of ofre, which scans the whole table for every record it takes in, so
// the first error reported is the one that scan meets first; here indexes from values to
// records take the place of the scans, and an explicit stack the place of the recursion, so
// the cost grows with the records, not their square, and no chain is too long. A table in
// which no error can arise (no record with one parent, no id twice) is grouped by union-find.
// `values` numbers the values of `records` (number_values).
// Sets `numped` to the pedigrees numbered (those given before an error included; it may
// exceed max_pedigrees: the caller checks). Returns the first error, a record with exactly
// one parent or an id two records hold; on error the ped fields are partly set.
outcome::Outcome group_pedigrees(std::span<rawped::PedRecord> records, const ValueNumbers& values,
                                 std::int32_t& numped);

}  // namespace famorder
