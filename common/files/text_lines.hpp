// The lines of a whole file held in memory, one after the other, for the readers of tables
// that name the line of every fault.
#pragma once

#include <cstddef>
#include <string_view>

namespace files {

class TextLines {
 public:
  explicit TextLines(std::string_view text) : text_(text) {}

  // The next line, without its '\n'; false past the last one. A last line without its '\n'
  // is a line all the same.
  bool next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    std::size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    ++number_;
    return true;
  }

  // The number of the line `next` gave last, 1 for the first.
  long number() const { return number_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  long number_ = 0;
};

}  // namespace files
