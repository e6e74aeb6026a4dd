#include "simreps/working_split.hpp"

#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

#include "simreps/durable.hpp"

namespace simreps {
namespace {

// Every allele right-aligned in three columns, as genodrop's "i3" writes it: genodrop's
// alleles are 1..max_alleles (999). Four bytes each, so that one copy moves a text.
struct AlleleTexts {
  std::array<std::array<char, 4>, genodrop::max_alleles + 1> texts;
  AlleleTexts() {
    for (std::int32_t allele = 0; allele <= genodrop::max_alleles; ++allele)
      std::snprintf(texts[static_cast<std::size_t>(allele)].data(), 4, "%3d", static_cast<int>(allele));
  }
};

// Individual `i`'s genotype line at `p`, which has room for it and one byte more: six blanks
// and both alleles at each locus of `positions`. Every cell ends in a digit, so extract's
// trimming of trailing blanks leaves it.
char* genotype_line(const genodrop::Genotypes& genotypes, std::int32_t i, std::span<const std::int32_t> positions,
                    char* p) {
  static const AlleleTexts alleles;
  const auto paternal = genotypes.alleles(i, 0), maternal = genotypes.alleles(i, 1);
  for (const std::int32_t b : positions) {
    std::memcpy(p, "      ", 6);
    std::memcpy(p + 6, alleles.texts[static_cast<std::size_t>(paternal[static_cast<std::size_t>(b)])].data(), 4);
    std::memcpy(p + 9, alleles.texts[static_cast<std::size_t>(maternal[static_cast<std::size_t>(b)])].data(), 4);
    p += extract::cell_width;
  }
  *p++ = '\n';
  return p;
}

}  // namespace

outcome::Outcome write_split_file(const std::string& path, const genodrop::Locides& loci,
                                  const genodrop::Genotypes& genotypes, std::span<const std::int32_t> positions,
                                  Checksum& sum) {
  StreamedFile file;
  if (auto failed = file.open(path)) return failed;
  const std::int32_t count = genotypes.alleles.individuals();
  std::string head(16, '\0');
  head.resize(static_cast<std::size_t>(
      std::snprintf(head.data(), head.size(), "%5d%5d\n", count, static_cast<int>(positions.size()))));
  for (const std::int32_t b : positions) head += loci.names[static_cast<std::size_t>(b)].view();
  head += '\n';
  file.write(head);
  const std::size_t line = extract::cell_width * positions.size() + 2;
  std::vector<char> piece(extract::piece_size + line);
  char* const start = piece.data();
  char* p = start;
  for (std::int32_t i = 0; i < count; ++i) {
    p = genotype_line(genotypes, i, positions, p);
    if (static_cast<std::size_t>(p - start) >= extract::piece_size) {
      file.write(std::string_view(start, static_cast<std::size_t>(p - start)));
      p = start;
    }
  }
  file.write(std::string_view(start, static_cast<std::size_t>(p - start)));
  if (auto failed = file.finish()) return failed;
  sum = file.sum();
  return std::nullopt;
}

}  // namespace simreps
