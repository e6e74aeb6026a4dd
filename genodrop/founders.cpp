#include "genodrop/founders.hpp"

#include <algorithm>

#include "genodrop/gene_drop.hpp"

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

void founder_haplotype(const Locides& locides, const MapDraws& map, int population,
                       std::span<const float> deviates, std::span<std::int16_t> alleles) {
  for (std::size_t j = 0; j < deviates.size(); ++j) {
    const float u = deviates[j];
    const float* cumulative = locides.cumulative[j][population].data();
    std::int32_t allele;
    if (locides.ascending[j][population]) {
      // Part k of (0, 1) holds u; its allele lies from entry k to entry k + 1 of the buckets.
      const auto& bucket = map.bucket_alleles[j][population];
      const int k = static_cast<int>(u * MapDraws::buckets);
      allele = bucket[k];
      const std::int32_t last = bucket[k + 1];
      if (last - allele > 8)
        allele = 1 + static_cast<std::int32_t>(std::lower_bound(cumulative + allele - 1, cumulative + last - 1, u) -
                                               cumulative);
      else
        while (allele < last && cumulative[allele - 1] < u) ++allele;
    } else {
      allele = founder_allele(std::span(cumulative, static_cast<std::size_t>(locides.alleles[j])), false, u);
    }
    alleles[j] = static_cast<std::int16_t>(allele);
  }
}

void model_founders(const Locides& locides, Pedigree& pedigree, Genotypes& genotypes, Gent& gent) {
  DropPlan plan;
  list_founders(pedigree, plan);
  drop_founders(locides, prepare_map(locides), pedigree, plan, genotypes, &gent);
}

}  // namespace genodrop
