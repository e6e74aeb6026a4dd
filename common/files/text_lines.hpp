// The lines of a whole file held in memory, one after the other, for the readers that name
// the line of every fault.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "common/outcome/outcome.hpp"

namespace files {

// `text` without the UTF-8 byte-order mark that some editors put at the start of a file: read
// as text, it would become part of the first column of the first line.
inline std::string_view without_byte_order_mark(std::string_view text) {
  return text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
}

class TextLines {
 public:
  // With `drop_cr`, a '\r' at the end of a line goes with its line end: a file that passed
  // through a DOS editor keeps its columns.
  explicit TextLines(std::string_view text, bool drop_cr = false)
      : text_(text), drop_cr_(drop_cr) {}

  // The next line, without its line end; false past the last one. A last line without its
  // '\n' is a line all the same.
  bool next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    std::size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    ++number_;
    if (drop_cr_ && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
  }

  // The number of the line `next` gave last, 1 for the first.
  long number() const { return number_; }

 private:
  std::string_view text_;
  bool drop_cr_;
  std::size_t pos_ = 0;
  long number_ = 0;
};

// Hands `row` the number and the columns, as `split` cuts them, of every line of the table
// `text` that has a column and whose first column does not begin with '#': blank lines and
// notes are passed over. `row` returns outcome::Outcome; the first refusal ends the walk and
// is returned.
template <class Split, class Row>
outcome::Outcome for_each_row(std::string_view text, Split split, Row row) {
  TextLines lines(text);
  std::string_view line;
  while (lines.next(line)) {
    const std::vector<std::string_view> columns = split(line);
    if (columns.empty() || columns[0].starts_with('#')) continue;
    if (outcome::Outcome refused = row(lines.number(), columns)) return refused;
  }
  return std::nullopt;
}

}  // namespace files
