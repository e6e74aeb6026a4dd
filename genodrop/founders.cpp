#include "genodrop/founders.hpp"

#include <algorithm>

#include "common/random/random.hpp"

namespace genodrop {

std::int32_t founder_allele(std::span<const float> cumulative, bool ascending, float u) {
  const auto below = cumulative.first(cumulative.size() - 1);
  if (ascending)
    return 1 + static_cast<std::int32_t>(std::lower_bound(below.begin(), below.end(), u) - below.begin());
  // A list with a negative frequency may fall and rise again: only a full count gives the
  // allele the frequencies mean.
  return 1 + static_cast<std::int32_t>(std::count_if(below.begin(), below.end(),
                                                      [u](float f) { return u > f; }));
}

namespace {

// The alleles of one founder haplotype at all loci. The bisections of several loci go side
// by side, a step of each in turn: one bisection waits on every read of the frequency table,
// several have their reads under way together.
void founder_haplotype(const Locides& locides, int population, std::span<const float> deviates,
                       std::span<std::int16_t> alleles) {
  constexpr std::int32_t lanes = 8;
  const std::int32_t loci = static_cast<std::int32_t>(deviates.size());
  for (std::int32_t first = 0; first < loci; first += lanes) {
    const std::int32_t width = std::min(lanes, loci - first);
    const float* start[lanes];
    const float* base[lanes];
    std::size_t n[lanes];
    std::size_t longest = 0;
    for (std::int32_t l = 0; l < width; ++l) {
      const std::int32_t j = first + l;
      start[l] = base[l] = locides.cumulative[j][population].data();
      // Lists that may fall are counted in full below; their lane only idles.
      n[l] = locides.ascending[j][population] ? static_cast<std::size_t>(locides.alleles[j] - 1) : 0;
      longest = std::max(longest, n[l]);
    }
    // A lane whose range is down to one entry (or none) steps by nothing; its reads stay
    // within its list, which always holds at least one entry.
    while (longest > 1) {
      for (std::int32_t l = 0; l < width; ++l) {
        const std::size_t half = n[l] / 2;
        // Either half may be next: both of its middles are fetched while this one compares.
        const std::size_t next = (n[l] - half) / 2;
        __builtin_prefetch(base[l] + next);
        __builtin_prefetch(base[l] + half + next);
        base[l] = base[l][half] < deviates[first + l] ? base[l] + half : base[l];
        n[l] -= half;
      }
      longest -= longest / 2;
    }
    for (std::int32_t l = 0; l < width; ++l) {
      const std::int32_t j = first + l;
      std::int32_t allele;
      if (!locides.ascending[j][population]) {
        const std::span<const float> cumulative(start[l], static_cast<std::size_t>(locides.alleles[j]));
        allele = founder_allele(cumulative, false, deviates[j]);
      } else {
        allele = 1 + static_cast<std::int32_t>(base[l] - start[l]) +
                 (n[l] > 0 && *base[l] < deviates[j] ? 1 : 0);
      }
      alleles[static_cast<std::size_t>(j)] = static_cast<std::int16_t>(allele);
    }
  }
}

}  // namespace

void model_founders(const Locides& locides, Pedigree& pedigree, Genotypes& genotypes, Gent& gent) {
  const std::size_t loci = static_cast<std::size_t>(locides.count);
  for (std::int32_t i = 0; i < pedigree.count; ++i) {
    const PedRecord& record = pedigree.records[i];
    if (record.father != 0) continue;
    const int population = record.race - 1;
    for (int side = 0; side < sides; ++side) {
      // One call for the whole haplotype: the same numbers, in the same order, as one
      // rndnum() per locus.
      const std::span<float> deviates = std::span(gent.deviates[i][side]).first(loci);
      ranlux::ranlux(deviates);
      founder_haplotype(locides, population, deviates, std::span(genotypes.alleles[i][side]).first(loci));
    }
    pedigree.pending[i] = {0, 0};
  }
}

}  // namespace genodrop
