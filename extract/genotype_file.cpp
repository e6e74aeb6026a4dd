#include "extract/genotype_file.hpp"

#include <algorithm>
#include <cstdio>
#include <string>

#include "common/files/text_lines.hpp"

namespace extract {
namespace {

// Reads an integer field under the record layer's rules, so that extract accepts exactly what
// traitsim and genodrop read: blanks anywhere are ignored, an all-blank field is 0, a sign may
// stand before the digits, and a comma ends the field early. False for anything else.
bool read_int_field(std::string_view field, std::int32_t& value) {
  std::int32_t result = 0;
  bool negative = false, sign_seen = false, digit_seen = false;
  for (char c : field) {
    if (c == ' ') continue;
    if (c == ',') break;
    if ((c == '+' || c == '-') && !sign_seen && !digit_seen) {
      sign_seen = true;
      negative = c == '-';
    } else if (c >= '0' && c <= '9') {
      digit_seen = true;
      result = result * 10 + (c - '0');  // at most 5 digits: no overflow
    } else {
      return false;
    }
  }
  value = negative ? -result : result;
  return true;
}

// The column `col` (0-based) of `line`, a blank beyond its end.
std::string_view field(std::string_view line, std::size_t col, std::size_t width) {
  if (col >= line.size()) return {};
  return line.substr(col, width);
}

bool blank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

// Appends `line` padded with blanks to `width` characters.
void append_padded(std::string& out, std::string_view line, std::size_t width) {
  out.append(line.substr(0, std::min(line.size(), width)));
  if (line.size() < width) out.append(width - line.size(), ' ');
}

// Line 1: the numbers of individuals and loci, within the file's limits.
outcome::Outcome read_counts(std::string_view name, files::TextLines& lines, GenotypeFile& file) {
  std::string_view line;
  if (!lines.next(line)) {
    return outcome::stop(std::string(name) + " is empty; a genotype file starts with the numbers of "
                         "individuals and loci");
  }
  if (!read_int_field(field(line, 0, 5), file.individuals) ||
      !read_int_field(field(line, 5, 5), file.loci)) {
    return outcome::stop(outcome::at_line(name, 1) + "columns 1-10 do not hold the numbers of individuals and "
                         "loci");
  }
  if (file.individuals < 0 || file.loci < 0) {
    return outcome::stop(outcome::at_line(name, 1) + "negative number of individuals or loci");
  }
  if (file.loci > max_loci) {
    return outcome::stop(outcome::at_line(name, 1) + std::to_string(file.loci) +
                         " loci; a genotype file holds at most " + std::to_string(max_loci));
  }
  return std::nullopt;
}

// Every allele field of the genotype line `line` (line `number` of the file) holds a number.
outcome::Outcome check_alleles(std::string_view name, long number, std::string_view line,
                               std::int32_t loci) {
  for (std::int32_t b = 0; b < loci; ++b) {
    std::size_t cell = cell_width * static_cast<std::size_t>(b);
    std::int32_t allele;
    for (std::size_t col : {cell + 6, cell + 9}) {
      if (!read_int_field(field(line, col, 3), allele)) {
        return outcome::stop(outcome::at_line(name, number) + "columns " + std::to_string(col + 1) +
                             "-" + std::to_string(col + 3) + " (locus " + std::to_string(b + 1) +
                             ") do not hold an allele number");
      }
    }
  }
  return std::nullopt;
}

}  // namespace

outcome::Outcome parse_genotype_file(std::string_view name, std::string_view text,
                                     GenotypeFile& file) {
  file = GenotypeFile{};
  // Files that passed through a DOS editor keep their columns; only the line end differs.
  files::TextLines lines(text, true);
  if (outcome::Outcome refused = read_counts(name, lines, file)) return refused;
  const std::size_t width = cell_width * static_cast<std::size_t>(file.loci);

  std::string_view line;
  if (!lines.next(line)) {
    return outcome::stop(std::string(name) + " ends after line 1; the line of locus names is missing");
  }
  if (line.size() > width && !blank(line.substr(width))) {
    return outcome::stop(outcome::at_line(name, 2) + "more names than the " + std::to_string(file.loci) +
                         " loci of line 1");
  }
  append_padded(file.names, line, width);

  file.rows.reserve(static_cast<std::size_t>(file.individuals));
  for (std::int32_t k = 0; k < file.individuals; ++k) {
    if (!lines.next(line)) {
      return outcome::stop(std::string(name) + " ends after line " + std::to_string(lines.number()) +
                           "; line 1 announces " + std::to_string(file.individuals) +
                           " individuals, the file holds " + std::to_string(k));
    }
    if (line.size() > width && !blank(line.substr(width))) {
      return outcome::stop(outcome::at_line(name, lines.number()) + "more than the " +
                           std::to_string(file.loci) + " loci of line 1");
    }
    if (outcome::Outcome refused = check_alleles(name, lines.number(), line, file.loci)) {
      return refused;
    }
    file.rows.push_back(line.substr(0, std::min(line.size(), width)));
  }

  while (lines.next(line)) {
    if (!blank(line)) {
      return outcome::stop(outcome::at_line(name, lines.number()) + "more genotype lines than the " +
                           std::to_string(file.individuals) + " individuals of line 1");
    }
  }
  return std::nullopt;
}

std::int32_t allele_at(std::string_view row, std::int32_t locus, int side) {
  std::int32_t allele = 0;
  read_int_field(field(row, cell_width * static_cast<std::size_t>(locus) + 6 + 3 * static_cast<std::size_t>(side), 3),
                 allele);
  return allele;
}

bool is_trait_locus(std::string_view name) { return name.find("qtl") != std::string_view::npos; }

namespace {
std::vector<std::int32_t> loci_where(const GenotypeFile& file, bool trait) {
  std::vector<std::int32_t> positions;
  for (std::int32_t b = 0; b < file.loci; ++b) {
    std::string_view name = std::string_view(file.names).substr(cell_width * b, cell_width);
    if (is_trait_locus(name) == trait) positions.push_back(b);
  }
  return positions;
}
}  // namespace

std::vector<std::int32_t> trait_loci(const GenotypeFile& file) { return loci_where(file, true); }
std::vector<std::int32_t> marker_loci(const GenotypeFile& file) {
  return loci_where(file, false);
}

void render_subset(const GenotypeFile& file, std::span<const std::int32_t> positions,
                   const std::function<void(std::string_view)>& emit) {
  std::string out;
  out.reserve(piece_size + cell_width * positions.size() + 16);

  // Both counts come from 5-column fields (or from max_loci), so they fit "%5d".
  char header[16];
  std::snprintf(header, sizeof header, "%5d%5d\n", file.individuals,
                static_cast<int>(positions.size()));
  out += header;

  for (std::int32_t b : positions) out.append(file.names, cell_width * b, cell_width);
  out += '\n';

  for (std::string_view row : file.rows) {
    const std::size_t start = out.size();
    for (std::int32_t b : positions) {
      // Columns beyond the end of a short line are blanks.
      const std::size_t col = cell_width * static_cast<std::size_t>(b);
      const std::string_view cell = col < row.size() ? row.substr(col, cell_width) : "";
      out.append(cell);
      out.append(cell_width - cell.size(), ' ');
    }
    std::size_t end = out.size();
    while (end > start && out[end - 1] == ' ') --end;
    out.resize(end);
    out += '\n';
    if (out.size() >= piece_size) {
      emit(out);
      out.clear();
    }
  }
  emit(out);
}

std::string render_subset(const GenotypeFile& file, std::span<const std::int32_t> positions) {
  std::string text;
  render_subset(file, positions, [&](std::string_view piece) { text.append(piece); });
  return text;
}

}  // namespace extract
