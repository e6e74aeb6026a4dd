// The cursor walk of the Reader and the Writer, with the failure they share.
#pragma once

#include "common/records/diagnostic.hpp"
#include "common/records/file.hpp"
#include "common/records/layout.hpp"

namespace records {

// Steps `cursor` to the next data item of `file`'s record, or, when `ending`, to where a record
// being ended stops, as Cursor::to_data does with `control` and `new_line`. A layout that can
// reach no data item there ends the run with "error in format".
template <typename Control, typename NewLine>
void walk(Cursor& cursor, const File& file, bool ending, Control&& control, NewLine&& new_line) {
  if (cursor.to_data(ending, control, new_line) == Cursor::Stop::malformed) {
    fail(file, error_in_format);
  }
}

// Ends the record once: the items up to the next data item, a colon or the end of the layout
// go to `control`. Returns false, doing nothing, when the record was ended before (`ended`).
template <typename Control>
bool end_walk(bool& ended, Cursor& cursor, const File& file, Control&& control) {
  if (ended) return false;
  ended = true;
  walk(cursor, file, true, control, [] {});
  return true;
}

}  // namespace records
