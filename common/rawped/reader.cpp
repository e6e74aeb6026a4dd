#include "common/rawped/reader.hpp"

#include <sys/stat.h>

#include <cstring>

#include "common/rawped/number.hpp"

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
  std::int32_t value = 0;
  bool in_range = true;
  if (!scan_int(p, value, in_range)) return LineParse::not_a_number;
  if (!in_range) return LineParse::too_big;
  numax = value;
  return LineParse::read;
}

LineParse parse_record(const char* text, PedRecord& rec) {
  const char* p = skip_space(text);
  if (*p == '\0') return LineParse::blank;
  std::int32_t* const fields[] = {&rec.id, &rec.nfat, &rec.nmat, &rec.race, &rec.sex};
  for (std::int32_t* field : fields) {
    std::int32_t value = 0;
    bool in_range = true;
    if (!scan_int(p, value, in_range)) {
      return field == &rec.id ? LineParse::not_a_number : LineParse::read;
    }
    // The 32 bits would change such a number into another, perhaps somebody else's id.
    if (!in_range) return LineParse::too_big;
    *field = value;
  }
  p = skip_space(p);
  int n = 0;
  for (; *p != '\0' && !is_space(*p); ++p) {
    if (n < label_chars) rec.label[n++] = *p;
  }
  rec.label[n] = '\0';
  return LineParse::read;
}

std::FILE* open_input(const std::string& name) {
  std::FILE* in = std::fopen(name.c_str(), "r");
  struct stat status{};
  if (in != nullptr && fstat(fileno(in), &status) == 0 && S_ISDIR(status.st_mode)) {
    std::fclose(in);
    return nullptr;
  }
  return in;
}

const char* message(ReadStatus status) {
  switch (status) {
    case ReadStatus::ok: return "";
    case ReadStatus::no_descriptive_line: return "error reading descriptive data\n";
    case ReadStatus::file_ended: return "error reading input data\n";
    case ReadStatus::not_a_number: return "error reading data from input file\n";
    case ReadStatus::too_big: return "";
  }
  return "";
}

std::string failure_text(ReadStatus status, const std::string& file, long line) {
  if (status != ReadStatus::too_big) return message(status);
  return file + " line " + std::to_string(line) +
         ": a number outside the range of 32-bit integers (-2147483648 to 2147483647)\n";
}

std::string no_memory_message(std::int32_t numax) {
  return "numax=" + std::to_string(numax) + "; not enough memory. Sorry...";
}

bool RawReader::next_piece() {
  // The piece keeps NUL bytes of the file, but parsing stops at the first one, as a C string
  // would; the line count goes on by line ends, so messages still name the right line.
  int n = 0;
  int c = 0;
  while (n < line_chars && (c = getc_unlocked(in_)) != EOF) {
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

namespace {

ReadStatus status_of(LineParse parse) {
  switch (parse) {
    case LineParse::not_a_number: return ReadStatus::not_a_number;
    case LineParse::too_big: return ReadStatus::too_big;
    default: return ReadStatus::ok;
  }
}

}  // namespace

ReadStatus RawReader::read_count(std::int32_t& numax) {
  if (!next_piece()) return ReadStatus::file_ended;
  return status_of(parse_count(text_, numax));
}

ReadStatus RawReader::read_record(PedRecord& rec) {
  if (!next_piece()) return ReadStatus::file_ended;
  return status_of(parse_record(text_, rec));
}

}  // namespace rawped
