#include "solar_text.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace simreps {
namespace {

// Appends the decimal digits of `value`, 1..999 (genodrop's alleles).
void append_allele(std::string& out, std::int32_t value) {
  char digits[12];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

// The phenotype as it comes out of traitsim's F field with three decimals (correctly rounded,
// a minus only before a non-zero value) and back in through xp-trait's reading of that text.
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

}  // namespace

void render_markers(const Inputs& inputs, const Replicate& replicate, std::string& out) {
  out += "id";
  for (const std::string& name : inputs.marker_names) {
    out += ',';
    out += name;
  }
  out += '\n';
  const std::int32_t count = inputs.pedigree.count;
  out.reserve(out.size() + static_cast<std::size_t>(count) * (16 + 8 * inputs.marker_loci.size()));
  for (std::int32_t k = 0; k < count; ++k) {
    out += inputs.ids[static_cast<std::size_t>(k)];
    const auto& alleles = replicate.genotypes.alleles[k];
    for (const std::int32_t j : inputs.marker_loci) {
      out += ',';
      append_allele(out, alleles[0][j]);
      out += '/';
      append_allele(out, alleles[1][j]);
    }
    out += '\n';
  }
}

void render_phenotypes(const Inputs& inputs, const Replicate& replicate, std::string& out) {
  out += "id,QT\n";
  for (std::int32_t k = 0; k < replicate.trait.n; ++k) {
    out += inputs.ids[static_cast<std::size_t>(k)];
    out += ',';
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%f",
                                static_cast<double>(through_phenotype_file(replicate.trait.phenotypes[k])));
    out.append(text, static_cast<std::size_t>(n));
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
