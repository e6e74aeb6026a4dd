#include "famorder/input_warnings.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "common/rawped/number.hpp"

namespace famorder {
namespace {

// A file full of such mistakes would otherwise bury the console; the first few show the pattern.
constexpr int shown = 5;

void warn(std::string_view program, const std::string& text) {
  std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(program.size()), program.data(), text.c_str());
}

void warn_rest(std::string_view program, int count, const char* what) {
  if (count > shown)
    warn(program, std::string("more ") + what + " not shown: " + std::to_string(count - shown));
}

std::string at(const std::string& infile, std::int32_t line) {
  return outcome::at_line(infile, line);
}

// The blanks that end a field of a record line, as isspace() knows them in the C locale.
bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The next 0 from `from` on that is followed by a digit and stands after a blank, a sign or
// the start of the text: every 0 that may begin a number written with a leading zero, and a
// few more, which the caller sorts out. Sixteen places are looked at together; a file has
// a 0 every few characters, but hardly any such 0. Returns `last` when there is none.
const char* next_zero_before_digit(const char* from, const char* first, const char* last) {
  using Bytes = unsigned char __attribute__((vector_size(16)));
  const auto splat = [](unsigned char c) { return Bytes{} + c; };
  // A 0 at `c` that is followed by a digit and stands after a blank or a sign.
  const auto opens_number = [](const char* c) {
    return *c == '0' && is_digit(c[1]) && (is_blank(c[-1]) || c[-1] == '-' || c[-1] == '+');
  };
  const char* at = from;
  if (at == first) {
    if (last - at >= 2 && at[0] == '0' && is_digit(at[1])) return at;
    ++at;
  }
  for (; last - at >= 17; at += 16) {
    Bytes before, here, after;
    std::memcpy(&before, at - 1, 16);
    std::memcpy(&here, at, 16);
    std::memcpy(&after, at + 1, 16);
    const auto opens = (before == splat(' ')) | (before == splat('\t')) | (before == splat('\n')) |
                       (before == splat('\v')) | (before == splat('\f')) | (before == splat('\r')) |
                       (before == splat('-')) | (before == splat('+'));
    const auto hit = (here == splat('0')) & (after - splat('0') < splat(10)) & opens;
    std::uint64_t halves[2];
    std::memcpy(halves, &hit, 16);
    if ((halves[0] | halves[1]) == 0) continue;
    for (int k = 0; k < 16; ++k)
      if (opens_number(at + k)) return at + k;
  }
  for (; at + 1 < last; ++at)
    if (opens_number(at)) return at;
  return last;
}

// Checks the record lines of a raw pedigree file for numbers written with a leading zero, a
// run of whole lines at a time, and warns about the first few.
struct ZeroScan {
  // The record lines: ascending, or when empty the `records` lines from `first_line` on.
  std::span<const std::int32_t> record_lines;
  std::int32_t first_line;
  std::size_t records;
  const std::string& infile;
  std::string_view program;
  std::int32_t number = 1;  // the line at which the next run of lines begins
  int count = 0;            // numbers found so far

  // Checks the whole lines [first, last), which begin at line `number`, and counts them. The
  // checks run only on a line where a 0 followed by a digit begins a field, which is seldom:
  // line ends are counted only up to such a line, and at the end of the run.
  void check(const char* const first, const char* const last) {
    const char* counted = first;  // line `number` begins here
    for (const char* scan = first; scan < last;) {
      const char* zero = next_zero_before_digit(scan, first, last);
      if (zero == last) break;
      scan = zero + 1;
      const char* start = zero > first && (zero[-1] == '-' || zero[-1] == '+') ? zero - 1 : zero;
      if (scan == last || !is_digit(*scan) || (start > first && !is_blank(start[-1]))) continue;
      const char* begin = zero;
      while (begin > counted && begin[-1] != '\n') --begin;
      number += static_cast<std::int32_t>(std::count(counted, begin, '\n'));
      counted = begin;
      const char* end =
          static_cast<const char*>(std::memchr(zero, '\n', static_cast<std::size_t>(last - zero)));
      if (end == nullptr) end = last;
      scan = end;  // the rest of the line is checked here, field by field
      if (record_lines.empty()
              ? number >= first_line && number - first_line < static_cast<std::int64_t>(records)
              : std::binary_search(record_lines.begin(), record_lines.end(), number)) {
        check_fields(std::string_view(begin, static_cast<std::size_t>(end - begin)));
      }
    }
    number += static_cast<std::int32_t>(std::count(counted, last, '\n'));
  }

  // The five numeric fields come first on a record line; the label may hold anything.
  void check_fields(std::string_view text) {
    std::size_t p = 0;
    for (int field = 0; field < 5; ++field) {
      while (p < text.size() && is_blank(text[p])) ++p;
      const std::size_t start = p;
      while (p < text.size() && !is_blank(text[p])) ++p;
      const std::string_view token = text.substr(start, p - start);
      const std::size_t digits = !token.empty() && (token[0] == '-' || token[0] == '+') ? 1 : 0;
      if (token.size() < digits + 2 || token[digits] != '0' || !is_digit(token[digits + 1]))
        continue;
      const std::string whole(token);
      const char* s = whole.c_str();
      std::int32_t value = 0;
      rawped::scan_int(s, value);
      // 007 means 7 either way; only a number that octal changes is worth a word. (A number
      // too long for any integer type reads as the largest, which octal always changes.)
      if (*s == '\0' && std::to_string(value) == std::to_string(std::strtoll(whole.c_str(), nullptr, 10)))
        continue;
      if (++count > shown) continue;
      std::string reading = "read in octal as " + std::to_string(value);
      if (*s != '\0') reading += ", then \"" + std::string(s) + "\" as the next field";
      warn(program, at(infile, number) + whole + " begins with 0, so it is " + reading);
    }
  }
};

}  // namespace

void warn_unknown_parents(const PedTable& table, const ValueNumbers& values,
                          const std::string& infile, std::string_view program) {
  // Which values some record carries as its id.
  std::vector<std::uint8_t> carried(values.count, 0);
  for (const auto& key : values.key)
    if (key[0] != no_value) carried[key[0]] = 1;

  // The keys tell which parents no record carries; the record itself is read only to be named.
  int count = 0;
  for (std::size_t i = 0; i < values.key.size(); ++i) {
    for (const bool mother : {false, true}) {
      const std::uint32_t k = values.key[i][mother ? 2 : 1];
      if (k == no_value || carried[k] != 0) continue;
      if (++count > shown) continue;
      const auto& r = table.oldped[i];
      const std::string who =
          r.id != 0 ? "individual " + std::to_string(r.id) : "the individual without an id";
      warn(program, at(infile, table.line_of(i)) + (mother ? "mother " : "father ") +
           std::to_string(mother ? r.nmat : r.nfat) + " of " + who +
           " is the id of no record in the file");
    }
  }
  warn_rest(program, count, "parent ids of no record");
}

void warn_leading_zeros(const PedTable& table, const std::string& infile,
                        std::string_view program) {
  // A pipe cannot be read twice, and waiting on one could hang the run.
  struct stat file{};
  if (stat(infile.c_str(), &file) != 0 || !S_ISREG(file.st_mode)) return;
  // The record lines, ascending; the table is still in file order when called before orpd.
  std::span<const std::int32_t> lines = table.line;
  std::vector<std::int32_t> sorted;
  if (!std::is_sorted(lines.begin(), lines.end())) {
    sorted.assign(lines.begin(), lines.end());
    std::sort(sorted.begin(), sorted.end());
    lines = sorted;
  }
  if (table.oldped.empty()) return;
  std::FILE* in = std::fopen(infile.c_str(), "rb");
  if (in == nullptr) return;
  ZeroScan scan{lines, table.first_line, table.oldped.size(), infile, program};
  // The file is read a block at a time, and checked in whole lines: the part of a line that a
  // block cuts off is moved to the front and read on with the next block. A line that fills
  // the buffer doubles it.
  std::vector<char> buffer(std::size_t{1} << 16);
  std::size_t kept = 0;
  for (bool ended = false; !ended;) {
    if (kept == buffer.size()) buffer.resize(2 * buffer.size());
    const std::size_t want = buffer.size() - kept;
    const std::size_t got = std::fread(buffer.data() + kept, 1, want, in);
    ended = got < want;  // the end of the file, or a read error
    const char* const first = buffer.data();
    const char* const held = first + kept + got;
    const char* stop = held;
    if (!ended) {
      while (stop > first && stop[-1] != '\n') --stop;
    }
    scan.check(first, stop);
    kept = static_cast<std::size_t>(held - stop);
    std::memmove(buffer.data(), stop, kept);
  }
  std::fclose(in);
  warn_rest(program, scan.count, "numbers with a leading zero");
}

}  // namespace famorder
