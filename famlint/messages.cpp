#include "famlint/messages.hpp"

#include "famlint/family_index.hpp"

namespace famlint {

namespace {

std::string i3(std::int32_t value) { return fixed_int(value, 3); }

// A line as the record layer's console message prints a text item: one leading blank.
std::string console_line(const std::string& text) { return " " + text + "\n"; }

// A text item followed by an integer item, as the console message prints them: the integer
// after a blank (the texts are short enough that the line never breaks).
std::string console_line(const std::string& text, std::int32_t value) {
  return " " + text + " " + std::to_string(value) + "\n";
}

}  // namespace

std::string fixed_int(std::int32_t value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) > width) return std::string(width, '*');
  return std::string(width - digits.size(), ' ') + digits;
}

std::string sample_size_message() { return " ERROR: max. sample size is N4096 \n"; }

std::string empty_pedigree_message(std::string_view file_name, std::int32_t count) {
  // One text item, so that a long file name does not split the line.
  return console_line("ERROR in " + std::string(file_name) + ": the header line gives " +
                      std::to_string(count) + " individuals; a pedigree needs at least one");
}

std::string one_parent_message(std::int32_t row) {
  return console_line(" Error in data line", row) +
         console_line(" Both parents should be observed or unobserved");
}

std::string founder_race_message(std::int32_t row) {
  return console_line(" The race is 0, but the parents are unobserved in data line", row) +
         console_line(" ERROR, so stop.");
}

std::string family_sequence_message(std::int32_t row) {
  return std::string(31, ' ') + "\n" + " ERROR of numeration, LINE" + fixed_int(row, 5) + "\n" +
         " Stop program; You must correct data\n" + " " + std::string(37, '*') + "  \n";
}

std::string too_many_families_message(std::string_view file_name, std::int32_t row) {
  return console_line("ERROR in " + std::string(file_name) + ": more than " +
                      std::to_string(max_families) + " families; family " +
                      std::to_string(max_families + 1) + " begins in data line " +
                      std::to_string(row));
}

std::string family_number_message(std::int32_t family, std::int32_t row) {
  return " ERROR OF FAMILY NUMBER: is=" + i3(family) + " i=" + i3(row) + "\n";
}

std::string sex_message(std::int32_t family, std::int32_t member) {
  return " SEX ERROR: IS=" + i3(family) + " PERSON=" + i3(member) + "\n";
}

std::string numbering_message(std::int32_t family, std::int32_t member, std::int32_t found) {
  return " ERROR OF NUMERATION: IS=" + i3(family) + " nom=" + i3(member) + "  " + i3(found) +
         "\n";
}

std::string parent_range_message(std::int32_t family, std::int32_t member) {
  return " ERROR OF PARENTS NUMERATION: IS=" + i3(family) + " i=" + i3(member) + "\n";
}

}  // namespace famlint
