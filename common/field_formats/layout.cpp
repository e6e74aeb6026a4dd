#include "common/field_formats/layout.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace field_formats {

std::string cm_text(float cm) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, cm).ptr;
  return std::string(text, end);
}

outcome::Outcome positions(Layout& layout) {
  std::int64_t previous = 0;
  std::size_t chromosome = 0;
  for (Marker& marker : layout.markers) {
    // Each chromosome's positions begin anew.
    if (marker.chromosome != chromosome) previous = 0;
    chromosome = marker.chromosome;
    // From the text, in double precision: 47.8 cM at 10^6 bp per cM is 47,800,001, which the
    // float 47.799999 would round one short.
    const double bp = 1.0 + std::strtod(marker.cm.c_str(), nullptr) * static_cast<double>(layout.bp_per_cm);
    if (!(bp >= 0.5))
      return outcome::stop("marker " + marker.name + " at " + marker.cm +
                           " cM lies before base pair 1, where VCF and PLINK positions begin; give the "
                           "chromosome file positions of 0 cM or more");
    if (bp >= static_cast<double>(max_position) + 0.5)
      return outcome::stop("marker " + marker.name + " at " + marker.cm + " cM lies at base pair " +
                           (bp < 1e18 ? std::to_string(std::llround(bp)) : std::string("beyond 10^18")) +
                           ", outside 1 to " + std::to_string(max_position) +
                           " that VCF and PLINK hold; give a smaller --bp-per-cm");
    std::int64_t position = std::llround(bp);
    if (position <= previous) position = previous + 1;
    if (position > max_position)
      return outcome::stop("marker " + marker.name + " lies at base pair " + std::to_string(position) +
                           " (1 bp after the marker before it), beyond " + std::to_string(max_position) +
                           "; give a smaller --bp-per-cm");
    marker.position = previous = position;
  }
  return std::nullopt;
}

std::vector<std::size_t> biallelic(const Layout& layout) {
  std::vector<std::size_t> kept;
  for (std::size_t m = 0; m < layout.markers.size(); ++m)
    if (layout.markers[m].alleles == 2) kept.push_back(m);
  return kept;
}

std::string trait_text(double value) {
  char text[400];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6).ptr;
  return std::string(text, end);
}

void put_pedigree_columns(const Layout& layout, Traits traits, std::size_t k, char separator,
                          const char* missing, std::string& out) {
  const Individual& i = layout.individuals[k];
  for (const std::string* column : {&i.family, &i.id, &i.father, &i.mother}) {
    out += *column;
    out += separator;
  }
  out += i.sex == 1 ? '1' : i.sex == 2 ? '2' : '0';
  out += separator;
  out += k < traits.size() ? trait_text(traits[k]) : missing;
}

}  // namespace field_formats
