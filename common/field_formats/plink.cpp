#include "common/field_formats/plink.hpp"

#include <algorithm>
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

namespace {

// The two bits of a genotype, from its two alleles (any other than 1 or 2 is missing).
unsigned genotype_code(std::int32_t paternal, std::int32_t maternal) {
  static constexpr std::array<unsigned char, 9> code = {1, 1, 1, 1, 3, 2, 1, 2, 0};
  auto slot = [](std::int32_t a) { return static_cast<std::uint32_t>(a - 1) < 2 ? static_cast<std::size_t>(a) : 0; };
  return code[3 * slot(paternal) + slot(maternal)];
}

// Markers whose rows are made in one pass over the individuals: the simulation keeps each
// individual's alleles side by side, 32 to a cache line.
constexpr std::size_t marker_group = 32;

}  // namespace

void render_bed(const Layout& layout, const Alleles& alleles, const std::vector<std::size_t>& kept,
                std::string& out) {
  const std::size_t n = layout.individuals.size();
  const std::size_t bytes = (n + 3) / 4;
  out.append({'\x6c', '\x1b', '\x01'});
  const std::size_t start = out.size();
  out.resize(start + kept.size() * bytes, '\0');
  for (std::size_t first = 0; first < kept.size(); first += marker_group) {
    const std::size_t markers = std::min(marker_group, kept.size() - first);
    std::array<const std::int16_t*, marker_group> column{};
    std::array<unsigned char*, marker_group> row{};
    for (std::size_t g = 0; g < markers; ++g) {
      column[g] = alleles.column(kept[first + g]);
      row[g] = reinterpret_cast<unsigned char*>(out.data() + start + (first + g) * bytes);
    }
    // Four individuals a byte, the first in the low bits.
    for (std::size_t k = 0, byte = 0; k < n; k += 4, ++byte) {
      const std::size_t in_byte = std::min<std::size_t>(4, n - k);
      for (std::size_t g = 0; g < markers; ++g) {
        const std::int16_t* allele = column[g] + k * alleles.individual_stride;
        unsigned bits = 0;
        for (std::size_t i = 0; i < in_byte; ++i, allele += alleles.individual_stride)
          bits |= genotype_code(allele[0], allele[alleles.side_stride]) << (2 * i);
        row[g][byte] = static_cast<unsigned char>(bits);
      }
    }
  }
}

}  // namespace field_formats
