// osdl and orif as famorder uses them: the whole raw pedigree file into the record table.
#pragma once

#include <cstdint>
#include <cstdio>

#include "common/rawped/reader.hpp"
#include "famorder/table.hpp"

namespace famorder {

struct ReadOutcome {
  enum class Kind {
    ok,
    read_failed,   // `status` says which of the reader's failures
    no_memory,     // a negative count, or no room for the table
    no_records,    // a count of 0 or a blank count line: there is nothing to number
    too_many,      // a count above max_records, refused before any record is read
  };
  Kind kind = Kind::ok;
  rawped::ReadStatus status = rawped::ReadStatus::ok;
  std::int32_t numax = 0;
  long line = 0;  // the file line of the failing read
};

// Skips the descriptive line, reads the count and then every record of `in` into `table`,
// which is replaced. Records are read exactly as the shared reader reads them; the count is
// checked right after its line, before the table is obtained. Returns kind ok, or the first
// failure with the count read so far and the line it concerns.
ReadOutcome read_table(std::FILE* in, PedTable& table);

}  // namespace famorder
