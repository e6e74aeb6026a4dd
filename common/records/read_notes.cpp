#include "common/records/read_notes.hpp"

#include <charconv>

namespace records {
namespace {

ImpliedDecimalsNote implied_note = nullptr;
ReadFaultNote fault_note = nullptr;

}  // namespace

void on_implied_decimals(ImpliedDecimalsNote note) { implied_note = note; }
ImpliedDecimalsNote implied_decimals_note() { return implied_note; }
void on_read_fault(ReadFaultNote note) { fault_note = note; }
ReadFaultNote read_fault_note() { return fault_note; }

std::string implied_decimals_warning(std::string_view program, const ImpliedDecimals& note) {
  // The value as the shortest decimal without an exponent that reads back as the same
  // variable; a double's fixed form takes at most 309 digits before the point.
  char number[400];
  const auto shown = note.single
                         ? std::to_chars(number, number + sizeof number, static_cast<float>(note.value),
                                         std::chars_format::fixed)
                         : std::to_chars(number, number + sizeof number, note.value,
                                         std::chars_format::fixed);
  // What to write instead: the same digits with the point where the writer meant it, before
  // any exponent ("1" -> "1.000", "2E1" -> "2.000E1").
  std::string_view text = note.text;
  std::size_t mantissa = 0;
  if (mantissa < text.size() && (text[0] == '+' || text[0] == '-')) ++mantissa;
  while (mantissa < text.size() && ((text[mantissa] >= '0' && text[mantissa] <= '9') || text[mantissa] == ' '))
    ++mantissa;
  std::string meant(text.substr(0, mantissa));
  meant.append(".").append(static_cast<std::size_t>(note.decimals), '0').append(text.substr(mantissa));

  std::string line(program);
  line.append(": ").append(note.file).append(" line ").append(std::to_string(note.line));
  line.append(": \"").append(text).append("\" has no decimal point and is read as ");
  line.append(number, shown.ptr).append("; write ").append(meant);
  return line;
}

}  // namespace records
