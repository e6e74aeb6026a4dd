#include "common/field_formats/plink.hpp"

#include <array>

namespace field_formats {

void render_fam(const Layout& layout, Traits traits, std::string& out) {
  for (std::size_t k = 0; k < layout.individuals.size(); ++k) {
    put_pedigree_columns(layout, traits, k, '\t', "-9", out);
    out += '\n';
  }
}

void render_bim(const Layout& layout, const std::vector<std::size_t>& kept, std::string& out) {
  for (const std::size_t m : kept) {
    const Marker& marker = layout.markers[m];
    out += layout.chromosome_of(marker) + '\t' + marker.name + '\t' + marker.cm + '\t' + std::to_string(marker.position) +
           "\t2\t1\n";
  }
}

void render_bed(const Layout& layout, const Alleles& alleles, const std::vector<std::size_t>& kept,
                std::string& out) {
  const std::size_t n = layout.individuals.size();
  const std::size_t bytes = (n + 3) / 4;
  std::size_t at = out.size();
  out.append({'\x6c', '\x1b', '\x01'});
  at += 3;
  out.resize(at + kept.size() * bytes, '\0');
  // Indexed by the two alleles (0 for any that is neither 1 nor 2).
  static constexpr std::array<std::array<unsigned char, 3>, 3> code = {{{1, 1, 1}, {1, 3, 2}, {1, 2, 0}}};
  auto slot = [](std::int32_t a) { return a == 1 || a == 2 ? a : 0; };
  for (const std::size_t m : kept) {
    unsigned char* row = reinterpret_cast<unsigned char*>(out.data() + at);
    for (std::size_t k = 0; k < n; ++k) {
      const auto c = code[static_cast<std::size_t>(slot(alleles.allele(k, 0, m)))]
                         [static_cast<std::size_t>(slot(alleles.allele(k, 1, m)))];
      row[k / 4] = static_cast<unsigned char>(row[k / 4] | (c << (2 * (k % 4))));
    }
    at += bytes;
  }
}

}  // namespace field_formats
