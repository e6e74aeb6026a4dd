#include "extract/marker_names.hpp"

namespace extract {

namespace {

// The characters that end a word for xp-geno.
bool separates(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The name without the separators around it.
std::string_view word(std::string_view cell) {
  std::size_t begin = 0, end = cell.size();
  while (begin < end && separates(cell[begin])) ++begin;
  while (end > begin && separates(cell[end - 1])) --end;
  return cell.substr(begin, end - begin);
}

// "QTL1", "Qtl2": meant as a trait locus, most likely, but only a lower-case "qtl" marks one.
bool trait_name_in_other_case(std::string_view text) {
  for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
    const auto lower = [&](std::size_t k) { return static_cast<char>(text[i + k] | 0x20); };
    if (lower(0) == 'q' && lower(1) == 't' && lower(2) == 'l') return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> marker_name_warnings(const GenotypeFile& file,
                                              std::span<const std::int32_t> positions,
                                              std::string_view marker_name) {
  auto cell = [&](std::size_t k) {
    return std::string_view(file.names).substr(cell_width * static_cast<std::size_t>(positions[k]),
                                               cell_width);
  };
  std::vector<std::string> warnings;
  for (std::size_t k = 0; k < positions.size(); ++k) {
    const std::string_view name = cell(k);
    const std::string_view text = word(name);
    std::string why;
    // Markers never hold a lower-case "qtl", so any "qtl" found here is in another case.
    if (trait_name_in_other_case(text)) {
      warnings.push_back("extract: " + std::string(marker_name) + ", line 2: marker name " +
                         std::to_string(k + 1) + ", \"" + std::string(text) +
                         "\", is taken as a marker: trait loci are recognised by a lower-case"
                         " \"qtl\" in their names");
    }
    if (text.empty()) {
      why = " is blank: xp-geno will find no name there and read the next one in its place";
    } else if (text.find_first_of(" \t\n\r\v\f") != std::string_view::npos) {
      why = ", \"" + std::string(text) + "\", holds a blank: xp-geno will read it as two names";
    } else if (text.find(',') != std::string_view::npos) {
      why = ", \"" + std::string(text) +
            "\", holds a comma: xp-geno will refuse it, as it would split its column";
    } else if (k + 1 < positions.size() && !separates(name.back()) &&
               !separates(cell(k + 1).front())) {
      why = ", \"" + std::string(text) + "\", fills all " + std::to_string(cell_width) +
            " columns and runs into the next name: xp-geno takes marker names of at most " +
            std::to_string(marker_name_chars) + " characters";
    }
    if (!why.empty()) {
      warnings.push_back("extract: " + std::string(marker_name) + ", line 2: marker name " +
                         std::to_string(k + 1) + why);
    }
  }
  return warnings;
}

}  // namespace extract
