// Reading the free-format files of the SOLAR converters (the numbered pedigree, the marker
// genotype file, the phenotype file): the first line whole, then blank-separated items.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace freeform {

// Blank-separated items of a text file, read through a buffer of its own so that neither a
// long line nor a long item is ever held whole. Blanks, tabs, carriage returns, form feeds and
// line ends all separate items (a file with Windows line ends reads like any other).
class ItemStream {
 public:
  enum class Status { item, end_of_file, too_long, unreadable };

  // Reads from `file`, which the caller opened and closes.
  explicit ItemStream(std::FILE* file);
  ItemStream(const ItemStream&) = delete;
  ItemStream& operator=(const ItemStream&) = delete;

  // Reads the first line, before any item. Copies at most line.size() - 1 of its characters
  // (without the line end) into `line`, NUL-terminated, and steps over the rest of the line
  // whatever its length, so that nothing of the first line is ever taken as an item.
  // Returns item, end_of_file for an empty file, or unreadable when reading failed.
  Status first_line(std::span<char> line);

  // Reads the next item into `item`, NUL-terminated, and its length into `length`. Returns
  // item; too_long when it has item.size() characters or more (`item` then holds its start and
  // the rest of it is stepped over); end_of_file when no item is left; unreadable when reading
  // failed.
  Status next(std::span<char> item, std::size_t& length);

  // True when no further item stands on the line of the last item read.
  bool line_ends();

  // The line (counted from 1) on which the last item began.
  std::int64_t item_line() const { return item_line_; }
  // How many lines the part of the file read so far holds; at its end, the file's line count.
  std::int64_t lines_read() const { return newlines_ + (last_char_ != '\n' && last_char_ != -1); }

 private:
  bool refill();
  int peek();
  void take() { consume(peek()); }
  void consume(int c);

  std::FILE* file_;
  unsigned char buffer_[1 << 16];
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool failed_ = false;
  std::int64_t newlines_ = 0;
  std::int64_t item_line_ = 0;
  int last_char_ = -1;  // the last character taken, -1 before the first
};

// True when the whole of `item` (NUL-terminated after its last character) is one integer in the number syntax of the
// suite's free-format files (sign, "0x" hexadecimal, leading 0 octal, else decimal); sets
// `value` then. "08" and "12abc" are not integers here: an item is one number or not one.
bool whole_int(std::string_view item, std::int32_t& value);

// The text of `item` for a message, cut to a readable length.
std::string quoted(std::string_view item);

}  // namespace freeform
