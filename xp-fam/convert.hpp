// orif as xp-fam uses it: each raw record becomes a line of the SOLAR pedigree file as soon as
// it is read.
#pragma once

#include <cstdint>
#include <cstdio>

#include "reader.hpp"

namespace xpfam {

struct ConvertOutcome {
  enum class Kind {
    ok,
    read_failed,  // `status` says which of the reader's failures
    no_memory,    // a negative count
    write_failed, // the output stream reported an error
    name_twice,   // the record on `line` would get the name `name` of the record on `earlier_line`
  };
  Kind kind = Kind::ok;
  rawped::ReadStatus status = rawped::ReadStatus::ok;
  std::int32_t numax = 0;
  long line = 0;  // the file line of a failed read, or of the second record named `name`
  std::int32_t name = 0;
  long earlier_line = 0;
};

// Reads the count line and then the records from `reader` (past the descriptive line), and
// writes each record to `out` as "id,nfat,nmat,sex" before the next line is read; a record
// without an id is named as famorder names it. A count of 0 or a blank count line writes
// nothing. Records are not kept, so any positive count is followed. A negative raw id that is
// also the name of a record without an id is refused (name_twice) before the second of the
// two records is written: SOLAR would refuse the pedigree. Nothing else is checked. Returns
// ok, or the first failure; the records written before it stay written.
ConvertOutcome convert_records(rawped::RawReader& reader, std::FILE* out);

}  // namespace xpfam
