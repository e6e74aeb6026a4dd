#include "common/freeform/numbered_ids.hpp"

#include <string>

namespace freeform {

outcome::Outcome skip_pedigree_header(ItemStream& in, std::string_view name) {
  char scratch[1];
  if (in.first_line(scratch) == ItemStream::Status::unreadable) {
    return outcome::stop(std::string(name) + ": the file cannot be read");
  }
  return {};
}

outcome::Outcome read_identifier(ItemStream& in, std::string_view name, std::int64_t k, std::span<char> id,
                        std::size_t& length) {
  constexpr int numbers = 6;
  char number[64];
  std::int64_t record_line = 0;
  const auto who = [k] { return "individual " + std::to_string(k); };
  for (int f = 0; f <= numbers; ++f) {
    const bool is_id = f == numbers;
    const std::span<char> item = is_id ? id : std::span<char>(number);
    const auto status = in.next(item, length);
    if (status == ItemStream::Status::unreadable) return outcome::stop(std::string(name) + ": the file cannot be read");
    if (status == ItemStream::Status::end_of_file && f == 0) {
      return outcome::stop(std::string(name) + " ends after line " + std::to_string(in.lines_read()) +
                           ", before the record of " + who());
    }
    if (f == 0) record_line = in.item_line();
    if (status == ItemStream::Status::end_of_file || in.item_line() != record_line) {
      return outcome::stop(outcome::at_line(name, record_line) + "the record of " + who() +
                           " does not hold six numbers and an identifier on one line");
    }
    const std::string_view text(item.data(), length);
    std::int32_t ignored = 0;
    if (!is_id && (status == ItemStream::Status::too_long || !whole_int(text, ignored))) {
      return outcome::stop(outcome::at_line(name, record_line) + "the record of " + who() + " has " + quoted(text) +
                           " where a number belongs");
    }
    if (is_id && status == ItemStream::Status::too_long) {
      return outcome::stop(outcome::at_line(name, record_line) + "the identifier of " + who() + " is longer than " +
                           std::to_string(id.size() - 1) + " characters");
    }
    if (is_id && text.find(',') != std::string_view::npos) {
      return outcome::stop(outcome::at_line(name, record_line) + "the identifier of " + who() + ", " + quoted(text) +
                           ", holds a comma, which would split its column");
    }
  }
  if (!in.line_ends()) {
    return outcome::stop(outcome::at_line(name, record_line) + "the record of " + who() +
                         " holds more than six numbers and an identifier");
  }
  return {};
}

}  // namespace freeform
