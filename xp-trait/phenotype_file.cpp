#include "xp-trait/phenotype_file.hpp"

#include <cmath>
#include <cstdlib>
#include <string>

#include "common/rawped/number.hpp"

namespace xptrait {

using outcome::at_line;
using freeform::ItemStream;

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool is_decimal(std::string_view item) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < item.size() && is_digit(item[i])) ++i;
    return i - start;
  };
  if (i < item.size() && (item[i] == '+' || item[i] == '-')) ++i;
  std::size_t mantissa = digits();
  if (i < item.size() && item[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < item.size() && (item[i] == 'e' || item[i] == 'E')) {
    ++i;
    if (i < item.size() && (item[i] == '+' || item[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == item.size();
}

outcome::Outcome read_phenotype_count(ItemStream& in, std::string_view name, std::int32_t& count) {
  // The count stands at the start of the line; 254 characters hold it with room to spare.
  char line[255];
  const auto status = in.first_line(line);
  if (status == ItemStream::Status::unreadable) return outcome::stop(std::string(name) + ": the file cannot be read");
  const char* p = line;
  if (status == ItemStream::Status::end_of_file || !rawped::scan_int(p, count)) {
    return outcome::stop(at_line(name, 1) + "the first line does not begin with the number of individuals");
  }
  if (count < 0) {
    return outcome::stop(at_line(name, 1) + "the number of individuals is negative (" + std::to_string(count) + ")");
  }
  return {};
}

outcome::Outcome read_phenotype(ItemStream& in, std::string_view name, std::int64_t k, float& value) {
  // Long enough for any value a person or a program writes; longer is refused, not cut.
  char item[256];
  std::size_t length = 0;
  const auto status = in.next(item, length);
  const std::string_view text(item, length);
  if (status == ItemStream::Status::item && is_decimal(text)) {
    // strtof rounds the decimal text once, straight to single precision.
    value = std::strtof(item, nullptr);
    if (std::isfinite(value)) return {};
  }
  const std::string which = "the value of individual " + std::to_string(k);
  switch (status) {
    case ItemStream::Status::unreadable:
      return outcome::stop(std::string(name) + ": the file cannot be read");
    case ItemStream::Status::end_of_file:
      return outcome::stop(std::string(name) + " ends after line " + std::to_string(in.lines_read()) + ", before " + which);
    case ItemStream::Status::too_long:
      return outcome::stop(at_line(name, in.item_line()) + which + " is longer than " + std::to_string(sizeof item - 1) +
                           " characters");
    case ItemStream::Status::item:
      break;
  }
  if (!is_decimal(text)) {
    std::string problem = at_line(name, in.item_line()) + which + " is not a number: " + freeform::quoted(text);
    if (text.find('*') != std::string_view::npos) problem += " (traitsim writes asterisks for a value too wide for its field)";
    return outcome::stop(problem);
  }
  return outcome::stop(at_line(name, in.item_line()) + which + ", " + freeform::quoted(text) +
                       ", is beyond the range of single precision");
}

}  // namespace xptrait
