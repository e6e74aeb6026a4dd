#include "common/field_formats/merlin.hpp"

#include <charconv>

namespace field_formats {
namespace {

void put_allele(std::int32_t a, std::int32_t alleles, std::string& out) {
  if (a < 1 || a > alleles) {
    out += " 0";
    return;
  }
  char text[16];
  text[0] = ' ';
  const auto end = std::to_chars(text + 1, text + sizeof text, a).ptr;
  out.append(text, end);
}

}  // namespace

void render_merlin_ped(const Layout& layout, const Alleles& alleles, Traits traits, std::string& out) {
  for (std::size_t k = 0; k < layout.individuals.size(); ++k) {
    put_pedigree_columns(layout, traits, k, ' ', "x", out);
    for (std::size_t m = 0; m < layout.markers.size(); ++m) {
      put_allele(alleles.allele(k, 0, m), layout.markers[m].alleles, out);
      put_allele(alleles.allele(k, 1, m), layout.markers[m].alleles, out);
    }
    out += '\n';
  }
}

void render_merlin_dat(const Layout& layout, std::string& out) {
  out += std::string("T ") + merlin_trait + '\n';
  for (const Marker& marker : layout.markers) out += "M " + marker.name + '\n';
}

void render_merlin_map(const Layout& layout, std::string& out) {
  out += "CHROMOSOME MARKER POSITION\n";
  for (const Marker& marker : layout.markers) out += layout.chromosome_of(marker) + ' ' + marker.name + ' ' + marker.cm + '\n';
}

}  // namespace field_formats
