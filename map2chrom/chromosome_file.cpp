#include "map2chrom/chromosome_file.hpp"

#include <cstdio>

#include "map2chrom/frequencies.hpp"

namespace map2chrom {

namespace {

// Lines 1 to 8 are free text; 9 to 11 are the layouts every program reads the records with,
// so they must stay exactly as they are; 12 is free text again.
constexpr const char* header =
    "Chromosome file written by map2chrom: loci in map order, positions in centimorgans\n"
    "(Haldane), allele frequencies in two founder populations. Lines 9, 10 and 11 are the\n"
    "layouts under which the count, the first and the second record of each locus are read.\n"
    "First record: name (columns 1-12), number of alleles m (13-16), map position (17-24),\n"
    "then the frequencies of alleles 1 to m-1 in population 1, 7 columns each.\n"
    "Second record: the frequencies of alleles 1 to m-1 in population 2, in the same columns.\n"
    "The frequency of allele m is what the listed ones lack of 1. Loci whose names contain\n"
    "\"qtl\" are trait loci: traitsim uses them, the SOLAR map leaves them out.\n"
    "(i5)\n"
    "(a12,i4,f8.2,20f7.4)\n"
    "(24x,20f7.4)\n"
    "name          m position  p(1)   p(2)   p(3) ...\n";

void append_frequencies(std::string& line, const std::vector<double>& f) {
  const std::vector<int> units = to_units(f);
  char field[16];
  for (std::size_t a = 0; a + 1 < units.size(); ++a) {
    std::snprintf(field, sizeof field, "%7.4f", units[a] / static_cast<double>(units_per_one));
    line += field;
  }
  line += '\n';
}

}  // namespace

std::string chromosome_text(const std::vector<Marker>& markers) {
  std::string text = header;
  char field[64];
  std::snprintf(field, sizeof field, "%5zu\n", markers.size());
  text += field;
  for (const Marker& m : markers) {
    // check_markers keeps names within 11 characters and positions within 8 columns.
    std::snprintf(field, sizeof field, "%-12s%4zu%8.2f", m.name.c_str(), m.population1.size(),
                  m.position);
    text += field;
    append_frequencies(text, m.population1);
    // A locus of one allele has no frequencies; its second record is an empty line.
    if (m.population2.size() > 1) text += std::string(24, ' ');
    append_frequencies(text, m.population2);
  }
  return text;
}

}  // namespace map2chrom
