#include "reader.hpp"

#include <cstring>

#include "number.hpp"

namespace rawped {

namespace {

// The C library's white space, which is what separates fields.
bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* skip_space(const char* p) {
  while (is_space(*p)) ++p;
  return p;
}

}  // namespace

LineParse parse_count(const char* text, std::int32_t& numax) {
  const char* p = skip_space(text);
  if (*p == '\0') return LineParse::blank;
  return scan_int(p, numax) ? LineParse::read : LineParse::not_a_number;
}

LineParse parse_record(const char* text, PedRecord& rec) {
  const char* p = skip_space(text);
  if (*p == '\0') return LineParse::blank;
  std::int32_t* const fields[] = {&rec.id, &rec.nfat, &rec.nmat, &rec.race, &rec.sex};
  for (std::int32_t* field : fields) {
    std::int32_t value = 0;
    if (!scan_int(p, value)) {
      return field == &rec.id ? LineParse::not_a_number : LineParse::read;
    }
    *field = value;
  }
  p = skip_space(p);
  int n = 0;
  for (; *p != '\0' && !is_space(*p); ++p) {
    if (n < kLabelChars) rec.label[n++] = *p;
  }
  rec.label[n] = '\0';
  return LineParse::read;
}

const char* message(ReadStatus status) {
  switch (status) {
    case ReadStatus::ok: return "";
    case ReadStatus::no_descriptive_line: return "error reading descriptive data\n";
    case ReadStatus::file_ended: return "error reading input data\n";
    case ReadStatus::not_a_number: return "error reading data from input file\n";
  }
  return "";
}

std::string no_memory_message(std::int32_t numax) {
  return "numax=" + std::to_string(numax) + "; not enough memory. Sorry...";
}

bool RawReader::next_piece() {
  // The piece keeps NUL bytes of the file, but parsing stops at the first one, as a C string
  // would; the line count goes on by line ends, so messages still name the right line.
  int n = 0;
  int c = 0;
  while (n < kLineChars && (c = getc_unlocked(in_)) != EOF) {
    text_[n++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  if (n == 0) return false;
  text_[n] = '\0';
  if (at_line_start_) ++line_;
  at_line_start_ = text_[n - 1] == '\n';
  return true;
}

ReadStatus RawReader::skip_lines(int n) {
  for (int i = 0; i < n; ++i) {
    if (!next_piece()) return ReadStatus::no_descriptive_line;
  }
  return ReadStatus::ok;
}

ReadStatus RawReader::read_count(std::int32_t& numax) {
  if (!next_piece()) return ReadStatus::file_ended;
  return parse_count(text_, numax) == LineParse::not_a_number ? ReadStatus::not_a_number
                                                              : ReadStatus::ok;
}

ReadStatus RawReader::read_record(PedRecord& rec) {
  if (!next_piece()) return ReadStatus::file_ended;
  return parse_record(text_, rec) == LineParse::not_a_number ? ReadStatus::not_a_number
                                                             : ReadStatus::ok;
}

}  // namespace rawped
