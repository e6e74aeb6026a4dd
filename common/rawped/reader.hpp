// Reading a raw pedigree file: the descriptive line, the count line and the record lines.
//
// Every read takes at most line_chars characters, line end included, so a longer line is split
// and its remainder is read as the next line (for a record line: as the next record). Numbers
// follow scan_int's syntax; fields are separated by white space only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "common/rawped/record.hpp"

namespace rawped {

// Characters one read takes at most, its line end included.
constexpr int line_chars = 99;

// How the text of one read line parsed.
enum class LineParse {
  blank,         // empty or white space only: nothing read
  read,          // at least the first number was read
  not_a_number,  // the first text that is not white space cannot start a number
  too_big,       // a number read lies outside the 32-bit range
};

// Reads the count from the start of `text` (NUL-terminated) into `numax`; anything after the
// number is ignored. Returns blank (numax untouched), read, not_a_number (numax untouched) or
// too_big.
LineParse parse_count(const char* text, std::int32_t& numax);

// Reads id, nfat, nmat, race, sex and the label token from `text` (NUL-terminated) into `rec`,
// stopping at the first field that cannot be read; fields not read are left as they are (the
// caller passes a zeroed record). A label is the next run of characters that are not white
// space; its first label_chars characters are kept. Anything after the label is ignored.
// Returns blank, read (id at least), not_a_number (rec untouched), or too_big when a field
// read lies outside the 32-bit range (the fields before it are set).
LineParse parse_record(const char* text, PedRecord& rec);

// Why a read failed. Each has its fixed console text, message().
enum class ReadStatus {
  ok,
  no_descriptive_line,  // the file ended before the descriptive line
  file_ended,           // the file ended before the count line or a record line
  not_a_number,         // a count or record line that does not start with a number
  too_big,              // a number outside the 32-bit range; it has no fixed text
};

// Opens the raw pedigree file `name` for reading. Returns nullptr when it cannot be opened,
// or when it is a folder, which opens but cannot be read.
std::FILE* open_input(const std::string& name);

// The console text of `status` (empty for ok and too_big), line end included.
const char* message(ReadStatus status);

// The console text for `status` from a read of `file` that began on line `line`: the fixed
// text of message(), or for too_big a message naming the file and the line.
std::string failure_text(ReadStatus status, const std::string& file, long line);

// The console text for a record table that cannot be obtained for `numax` records (a negative
// count included); it has no line end.
std::string no_memory_message(std::int32_t numax);

// Reads one raw pedigree file from an open stream, one line at a time, and counts its lines so
// that messages can name them. The stream stays the caller's to close.
class RawReader {
 public:
  explicit RawReader(std::FILE* in) : in_(in) {}

  // osdl: reads and discards `n` lines. Returns ok, or no_descriptive_line when the file ends
  // before `n` lines were read.
  ReadStatus skip_lines(int n);

  // Reads the count line into `numax`: a blank line leaves it untouched. Returns ok,
  // file_ended, not_a_number or too_big.
  ReadStatus read_count(std::int32_t& numax);

  // Reads the next record line into `rec`, which the caller passes zeroed; a blank line is an
  // all-zero record. Returns ok, file_ended, not_a_number or too_big.
  ReadStatus read_record(PedRecord& rec);

  // The line of the file (1 for the first) on which the last read began.
  long line() const { return line_; }

 private:
  // Reads the next piece of at most line_chars characters into text_; false at end of file.
  bool next_piece();

  std::FILE* in_;
  char text_[line_chars + 1] = {};
  long line_ = 0;            // line on which the last piece began
  bool at_line_start_ = true;  // the next piece starts a new line of the file
};

}  // namespace rawped
