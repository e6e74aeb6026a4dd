#include "map2chrom/marker_table.hpp"

#include <charconv>
#include <cmath>

#include "common/files/tab_columns.hpp"
#include "common/files/text_lines.hpp"

namespace map2chrom {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool parse_decimal(std::string_view text, double& value) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t body = i;
  std::size_t digits = 0;
  while (i < text.size() && is_digit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && is_digit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t exp_start = i;
    while (i < text.size() && is_digit(text[i])) ++i;
    if (i == exp_start) return false;
  }
  if (i != text.size()) return false;
  // from_chars takes no '+'; the sign is put back by hand.
  double v = 0;
  const auto [end, ec] = std::from_chars(text.data() + body, text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return false;
  value = body > 0 && text[0] == '-' ? -v : v;
  return true;
}

namespace {

// A marker line has a name, a position and frequencies, each column filled and without blanks.
outcome::Outcome check_columns(const std::string& at, const std::vector<std::string_view>& cols) {
  if (cols.size() < 3) {
    return outcome::stop(
        at + "found " + std::to_string(cols.size()) +
        " column(s); a marker needs a name, a position and its allele frequencies"
        " (columns separated by tabs)");
  }
  for (std::size_t c = 0; c < cols.size(); ++c) {
    if (cols[c].empty()) {
      return outcome::stop(at + "column " + std::to_string(c + 1) + " is empty");
    }
    if (cols[c].find_first_of(" ") != std::string_view::npos) {
      return outcome::stop(at + "column " + std::to_string(c + 1) + " (" + std::string(cols[c]) +
                           ") holds a blank; columns are separated by tabs");
    }
  }
  return std::nullopt;
}

// The frequencies from column 3 on: population 1's, then after a "|" column population 2's.
outcome::Outcome read_frequencies(const std::string& at, const std::vector<std::string_view>& cols,
                                  Marker& marker) {
  bool second = false;
  for (std::size_t c = 2; c < cols.size(); ++c) {
    if (cols[c] == "|") {
      if (second) {
        return outcome::stop(at + "more than one | column");
      }
      second = true;
      continue;
    }
    double f = 0;
    if (!parse_decimal(cols[c], f) || f < 0 || f > 1) {
      return outcome::stop(at + "the frequency in column " + std::to_string(c + 1) + " of " +
                           marker.name + " (" + std::string(cols[c]) +
                           ") is not a number from 0 to 1");
    }
    (second ? marker.population2 : marker.population1).push_back(f);
  }
  if (marker.population1.empty() || (second && marker.population2.empty())) {
    return outcome::stop(at + marker.name + " has no frequency for population " +
                         (marker.population1.empty() ? "1" : "2"));
  }
  return std::nullopt;
}

}  // namespace

outcome::Outcome read_marker_table(std::string_view text, const std::string& name,
                                   MarkerTable& table) {
  table.markers.clear();
  bool first = true;
  auto take = [&](long line, const std::vector<std::string_view>& cols) -> outcome::Outcome {
    const std::string at = "map2chrom: " + outcome::at_line(name, line);
    // A header names its columns; a first marker with a mistyped position still has numbers
    // for frequencies, so it is reported rather than skipped.
    double number = 0;
    if (first && cols.size() >= 2 && !parse_decimal(cols[1], number) &&
        (cols.size() < 3 || !parse_decimal(cols[2], number))) {
      first = false;
      return std::nullopt;
    }
    first = false;
    if (outcome::Outcome refused = check_columns(at, cols)) return refused;
    Marker marker;
    marker.line = line;
    marker.name = cols[0];
    if (!parse_decimal(cols[1], marker.position)) {
      return outcome::stop(at + "the position of " + marker.name + " (" + std::string(cols[1]) +
                           ") is not a number");
    }
    if (outcome::Outcome refused = read_frequencies(at, cols, marker)) return refused;
    table.markers.push_back(std::move(marker));
    return std::nullopt;
  };
  return files::for_each_row(text, files::tab_columns, take);
}

}  // namespace map2chrom
