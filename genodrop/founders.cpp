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

void model_founders(const Locides& locides, Pedigree& pedigree, Genotypes& genotypes, Gent& gent) {
  for (std::int32_t i = 0; i < pedigree.count; ++i) {
    const PedRecord& record = pedigree.records[i];
    if (record.father != 0) continue;
    const int population = record.race - 1;
    for (int side = 0; side < sides; ++side) {
      // One call for the whole haplotype: the same numbers, in the same order, as one
      // rndnum() per locus.
      const std::span<float> deviates = std::span(gent.deviates[i][side]).first(static_cast<std::size_t>(locides.count));
      ranlux::ranlux(deviates);
      for (std::int32_t j = 0; j < locides.count; ++j) {
        const std::span<const float> cumulative(locides.cumulative[j][population].data(),
                                                static_cast<std::size_t>(locides.alleles[j]));
        genotypes.alleles[i][side][j] = static_cast<std::int16_t>(
            founder_allele(cumulative, locides.ascending[j][population], deviates[j]));
      }
    }
    pedigree.pending[i] = {0, 0};
  }
}

}  // namespace genodrop
