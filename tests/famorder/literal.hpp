// The numbering done the literal way, scan by scan: every call of ofre scans the whole table,
// every ordering pass scans it again, every numbering step rewrites the pedigree field by
// field. Quadratic or worse, and recursive; kept as the reference that famorder's fast
// method must match record for record and error for error.
#pragma once

#include <cstdint>
#include <vector>

#include "common/rawped/record.hpp"

namespace literal {

// A record while it is numbered: ids and parents in 64 bits so that spare numbers past the
// 32-bit range stay distinct instead of wrapping.
struct Rec {
  std::int32_t ped;
  std::int64_t id, nfat, nmat;
  std::int32_t race, sex, oldid;
  char label[8];
};

struct Result {
  enum class Kind { ok, one_parent, same_id, too_many_pedigrees } kind = Kind::ok;
  std::int32_t position = 0;  // one_parent: input position from 0
  std::int32_t id = 0;        // same_id
  std::int32_t numped = 0;
  std::vector<Rec> records;   // ok: the numbered table in output order
};

// Numbers `input` (records as read, in input order) with at most `max_pedigrees` pedigrees.
Result orpd(const std::vector<rawped::PedRecord>& input, std::int32_t max_pedigrees = 998);

}  // namespace literal
