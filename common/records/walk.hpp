// The cursor walk of the Reader and the Writer: what they do alike between two data items,
// and the failure they share.
#pragma once

#include <cstdint>

#include "common/records/diagnostic.hpp"
#include "common/records/file.hpp"
#include "common/records/layout.hpp"

namespace records {

// Steps `cursor` to the next data item of `file`'s record, or, when `ending`, to where a record
// being ended stops (Cursor::to_data). On the way, skips and tabs move `column`, a slash goes
// on to a new line (`new_line`) as the end of the layout does, and `control` acts on the other
// items (quoted texts, edit modes). A layout that can reach no data item there ends the run
// with "error in format".
template <typename NewLine, typename Control>
void step_to(Cursor& cursor, const File& file, bool ending, std::int64_t& column,
             NewLine&& new_line, Control&& control) {
  auto act = [&](const Item& item) {
    if (move_column(item, column)) return;
    if (item.kind == ItemKind::slash) {
      new_line();
    } else {
      control(item);
    }
  };
  if (cursor.to_data(ending, act, new_line) == Cursor::Stop::malformed) {
    fail(file, error_in_format);
  }
}

// Steps as step_to() does to the next data item, and returns it.
template <typename NewLine, typename Control>
const Item& walk(Cursor& cursor, const File& file, std::int64_t& column, NewLine&& new_line,
                 Control&& control) {
  step_to(cursor, file, false, column, new_line, control);
  return cursor.current();
}

// Ends the record once, stepping as step_to() does when `ending`: the cursor may then stand
// past the last item, where there is no item to return. Returns false, doing nothing, when
// the record was ended before (`ended`).
template <typename NewLine, typename Control>
bool end_walk(bool& ended, Cursor& cursor, const File& file, std::int64_t& column,
              NewLine&& new_line, Control&& control) {
  if (ended) return false;
  ended = true;
  step_to(cursor, file, true, column, new_line, control);
  return true;
}

}  // namespace records
