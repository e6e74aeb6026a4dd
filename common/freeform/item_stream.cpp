#include "common/freeform/item_stream.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "common/rawped/number.hpp"

namespace freeform {

namespace {

// Blanks, tabs, line ends, carriage returns, vertical tabs and form feeds separate items.
constexpr auto blank_table = [] {
  std::array<bool, 256> t{};
  for (unsigned char c : {' ', '\t', '\n', '\r', '\v', '\f'}) t[c] = true;
  return t;
}();

bool is_blank(int c) { return c >= 0 && blank_table[static_cast<unsigned char>(c)]; }

}  // namespace

ItemStream::ItemStream(std::FILE* file) : file_(file) {}

bool ItemStream::refill() {
  if (failed_) return false;
  begin_ = 0;
  end_ = std::fread(buffer_, 1, sizeof buffer_, file_);
  if (end_ == 0) failed_ = std::ferror(file_) != 0;
  return end_ > 0;
}

int ItemStream::peek() {
  if (begin_ == end_ && !refill()) return EOF;
  return buffer_[begin_];
}

void ItemStream::consume(int c) {
  if (c == EOF) return;
  ++begin_;
  if (c == '\n') ++newlines_;
  last_char_ = c;
}

ItemStream::Status ItemStream::first_line(std::span<char> line) {
  std::size_t n = 0;
  int c = peek();
  if (c == EOF) return failed_ ? Status::unreadable : Status::end_of_file;
  item_line_ = 1;
  for (; c != EOF && c != '\n'; c = peek()) {
    if (n + 1 < line.size()) line[n++] = static_cast<char>(c);
    take();
  }
  take();
  if (!line.empty()) line[n] = '\0';
  return failed_ ? Status::unreadable : Status::item;
}

ItemStream::Status ItemStream::next(std::span<char> item, std::size_t& length) {
  // Blanks are stepped over in runs of the buffer, counting the line ends among them.
  for (;;) {
    if (begin_ == end_ && !refill()) return failed_ ? Status::unreadable : Status::end_of_file;
    std::size_t i = begin_;
    while (i < end_ && blank_table[buffer_[i]]) {
      newlines_ += buffer_[i] == '\n';
      ++i;
    }
    if (i > begin_) last_char_ = buffer_[i - 1];
    begin_ = i;
    if (i < end_) break;
  }
  item_line_ = newlines_ + 1;
  // The item is taken in runs of the buffer: an item holds no line end, so only its last
  // character needs remembering.
  const std::size_t room = item.empty() ? 0 : item.size() - 1;
  std::size_t n = 0;
  bool too_long = false;
  do {
    std::size_t i = begin_;
    while (i < end_ && !blank_table[buffer_[i]]) ++i;
    const std::size_t run = i - begin_;
    const std::size_t kept = std::min(run, room - n);
    if (kept > 0) std::memcpy(item.data() + n, buffer_ + begin_, kept);
    n += kept;
    too_long = too_long || kept < run;
    // After a refill the item may already have ended at the buffer's edge: an empty run.
    if (run > 0) last_char_ = buffer_[i - 1];
    begin_ = i;
  } while (begin_ == end_ && refill());
  if (!item.empty()) item[n] = '\0';
  length = n;
  if (failed_) return Status::unreadable;
  return too_long ? Status::too_long : Status::item;
}

bool ItemStream::line_ends() {
  int c = peek();
  while (c != EOF && c != '\n' && is_blank(c)) {
    take();
    c = peek();
  }
  return c == EOF || c == '\n';
}

bool whole_int(std::string_view item, std::int32_t& value) {
  const char* p = item.data();
  std::int32_t v = 0;
  // scan_int skips leading white space, which an item never has; it stops at a NUL inside
  // the item, which the end test then refuses.
  if (!rawped::scan_int(p, v) || p != item.data() + item.size()) return false;
  value = v;
  return true;
}

std::string quoted(std::string_view item) {
  constexpr std::size_t shown = 40;
  const std::size_t n = item.size();
  std::string s = "\"";
  s.append(item.substr(0, shown));
  if (n > shown) s += "...";
  s += '"';
  return s;
}

}  // namespace freeform
