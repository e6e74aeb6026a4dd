#include "simreps/solar_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <limits>

namespace simreps {
namespace {

// Writes the decimal digits of `value` at `p`, returning the end: a marker allele, 1..99
// (read_inputs refuses markers of more alleles), though any value of genodrop's alleles,
// up to 999, comes out right.
char* put_allele(char* p, std::int32_t value) {
  if (value >= 10 && value < 100) {
    *p++ = static_cast<char>('0' + value / 10);
    *p++ = static_cast<char>('0' + value % 10);
    return p;
  }
  if (value >= 0 && value < 10) {
    *p++ = static_cast<char>('0' + value);
    return p;
  }
  return std::to_chars(p, p + 12, value).ptr;
}

// ",a/b" for every pair of alleles below 100, the markers' alleles.
struct PairTexts {
  static constexpr std::int32_t below = 100;
  struct Text {
    char chars[8];
    std::int32_t length;
  };
  std::vector<Text> texts;
  PairTexts() : texts(below * below) {
    for (std::int32_t a = 0; a < below; ++a)
      for (std::int32_t b = 0; b < below; ++b) {
        Text& text = texts[static_cast<std::size_t>(a * below + b)];
        char* p = text.chars;
        *p++ = ',';
        p = put_allele(p, a);
        *p++ = '/';
        p = put_allele(p, b);
        text.length = static_cast<std::int32_t>(p - text.chars);
      }
  }
};

}  // namespace

float through_phenotype_file(float value) {
  char text[400];
  char* start = text + 1;
  const auto end = std::to_chars(start, text + sizeof text - 1, std::fabs(static_cast<double>(value)),
                                 std::chars_format::fixed, 3)
                       .ptr;
  *end = '\0';
  bool zero = true;
  for (const char* p = start; p < end; ++p)
    if (*p >= '1' && *p <= '9') zero = false;
  if (std::signbit(value) && !zero) *--start = '-';
  return std::strtof(start, nullptr);
}

namespace {

// One individual's line of mark.sol at `p`, which has room for the longest line; returns its
// end. Written through a pointer: this text is most of the bytes a replicate writes, and the
// checks of appending char by char would cost as much as the writing.
char* marker_line(const Inputs& inputs, const Replicate& replicate, std::int32_t k, char* p) {
  static const PairTexts pairs;
  const std::string& id = inputs.ids[static_cast<std::size_t>(k)];
  p = std::copy(id.begin(), id.end(), p);
  for (std::size_t c = 0; c < inputs.chromosomes.size(); ++c) {
    const auto& table = replicate.genotypes_of(c).alleles;
    const auto paternal = table(k, 0), maternal = table(k, 1);
    for (const std::int32_t j : inputs.chromosomes[c]->marker_loci) {
      const std::int32_t a = paternal[static_cast<std::size_t>(j)], b = maternal[static_cast<std::size_t>(j)];
      if (a >= 0 && a < PairTexts::below && b >= 0 && b < PairTexts::below) {
        // All eight bytes are copied, whatever the pair's length: the line's room holds them.
        const PairTexts::Text& text = pairs.texts[static_cast<std::size_t>(a * PairTexts::below + b)];
        std::memcpy(p, text.chars, 8);
        p += text.length;
        continue;
      }
      *p++ = ',';
      p = put_allele(p, a);
      *p++ = '/';
      p = put_allele(p, b);
    }
  }
  *p++ = '\n';
  return p;
}

}  // namespace

void render_markers(const Inputs& inputs, const Replicate& replicate,
                    const std::function<void(std::string_view)>& emit) {
  std::string head = inputs.id_columns;
  for (const auto& chromosome : inputs.chromosomes)
    for (const std::string& name : chromosome->marker_names) {
      head += ',';
      head += name;
    }
  head += '\n';
  emit(head);
  // A pair takes at most 8 bytes: "," and two of genodrop's alleles, of up to 3 digits.
  std::size_t longest_id = 0;
  for (const std::string& id : inputs.ids) longest_id = std::max(longest_id, id.size());
  const std::size_t line = longest_id + 1 + 8 * inputs.markers();
  std::vector<char> piece(marker_piece + line);
  char* const start = piece.data();
  char* p = start;
  for (std::int32_t k = 0; k < inputs.pedigree.count; ++k) {
    p = marker_line(inputs, replicate, k, p);
    if (static_cast<std::size_t>(p - start) >= marker_piece) {
      emit(std::string_view(start, static_cast<std::size_t>(p - start)));
      p = start;
    }
  }
  if (p != start) emit(std::string_view(start, static_cast<std::size_t>(p - start)));
}

void render_phenotypes(const Inputs& inputs, const Replicate& replicate, std::string& out) {
  out += inputs.id_columns;
  out += ",QT\n";
  for (std::int32_t k = 0; k < replicate.trait.n; ++k) {
    out += inputs.ids[static_cast<std::size_t>(k)];
    out += ',';
    // xp-trait writes "%f", six decimals correctly rounded, which is what to_chars gives.
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text,
                                   static_cast<double>(through_phenotype_file(replicate.trait.phenotypes[k])),
                                   std::chars_format::fixed, 6)
                         .ptr;
    out.append(text, end);
    out += '\n';
  }
}

Summary summarise(const Replicate& replicate) {
  const std::int32_t n = replicate.trait.n;
  double sum = 0;
  for (std::int32_t k = 0; k < n; ++k) sum += replicate.trait.phenotypes[k];
  Summary summary;
  summary.mean = n > 0 ? sum / n : std::numeric_limits<double>::quiet_NaN();
  double squares = 0;
  for (std::int32_t k = 0; k < n; ++k) {
    const double d = replicate.trait.phenotypes[k] - summary.mean;
    squares += d * d;
  }
  summary.sd = n > 1 ? std::sqrt(squares / (n - 1)) : std::numeric_limits<double>::quiet_NaN();
  return summary;
}

}  // namespace simreps
