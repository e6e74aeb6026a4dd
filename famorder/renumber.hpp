// Numbering: individuals 1, 2, 3, ... within each pedigree, parents following them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "common/rawped/record.hpp"

namespace famorder {

// Where a number does not fit the record: it can only be a spare number given to a parent
// that no record carries, once the spare numbers have run past the largest 32-bit value.
struct Unfit {
  std::size_t row = 0;
  bool mother = false;  // the father's field otherwise
  std::int64_t value = 0;
};

// Numbers the pedigrees of `records`, which are ordered (each pedigree's records together) and
// still hold their raw id, nfat and nmat. For the record at the n-th place of its pedigree,
// with current id c: if c is n nothing changes; if c is 0 the id becomes n; otherwise every
// id, nfat and nmat of the pedigree equal to n takes the next spare number (counting from
// `spare`, across pedigrees), the id becomes n, and every nfat and nmat equal to c becomes n.
// Values are followed as classes of equal fields, merged and renamed, never rescanned; the
// result equals the field-by-field rewriting, even where a spare number meets a raw value.
// `keys` gives, for each record of `records`, the numbers of its raw id, nfat and nmat among
// the `values` distinct values (number_values, reordered along with the records).
// Returns true with every id, nfat and nmat numbered, or false with `unfit` set when a number
// does not fit 32 bits (the records are then partly numbered).
bool renumber(std::span<rawped::PedRecord> records,
              std::span<const std::array<std::uint32_t, 3>> keys,
              std::size_t values, std::int64_t spare, Unfit& unfit);

}  // namespace famorder
