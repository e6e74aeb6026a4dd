#include "traitsim/model.hpp"

#include <cmath>
#include <vector>

#include "common/random/random.hpp"

namespace traitsim {

void match_loci(Locides& locides) {
  for (std::int32_t b = 0; b < locides.nqtl; ++b) {
    std::int32_t count = 0;
    for (std::int32_t p = 0; p < locides.nloci; ++p)
      if (locides.model_names[p] == locides.qtl_names[b])
        locides.matches[b][count++] = static_cast<std::uint8_t>(p);
    locides.nmatches[b] = count;
  }
}

void add_genotypic_value(const Locides& locides, Genotypes& genotypes, std::int32_t k) {
  float phenotype = genotypes.phenotypes[k];
  for (std::int32_t b = 0; b < locides.nqtl; ++b) {
    const std::int32_t a1 = genotypes.alleles[b][0] - 1, a2 = genotypes.alleles[b][1] - 1;
    for (std::int32_t m = 0; m < locides.nmatches[b]; ++m)
      phenotype = phenotype + locides.values[locides.matches[b][m]][a1][a2];
  }
  genotypes.phenotypes[k] = phenotype;
}

namespace {

// Twelve uniforms summed in single precision, minus 6.
float normal_of(const float* u) {
  float s = 0.0f;
  for (int i = 0; i < 12; ++i) s = s + u[i];
  return s - 6.0f;
}

}  // namespace

float pnormrnd() {
  float u[12];
  for (float& v : u) v = ranlux::rndnum();
  return normal_of(u);
}

void add_environment(const Locides& locides, Genotypes& genotypes) {
  // All of them in one call: the same numbers, in the same order, as one rndnum() each.
  std::vector<float> u(12 * static_cast<std::size_t>(genotypes.n));
  ranlux::ranlux(u);
  for (std::int32_t q = 0; q < genotypes.n; ++q) {
    const float z = normal_of(u.data() + 12 * static_cast<std::size_t>(q));
    const float t = z * locides.sigma;
    genotypes.phenotypes[q] = genotypes.phenotypes[q] + t;
  }
}

std::string non_finite_phenotype(std::int32_t q, std::string_view model_name) {
  return "phenotype of individual " + std::to_string(q + 1) +
         " is not a finite number; see the values and sigma in " + std::string(model_name);
}

std::int32_t first_non_finite(const Genotypes& genotypes) {
  for (std::int32_t q = 0; q < genotypes.n; ++q)
    if (!std::isfinite(genotypes.phenotypes[q])) return q;
  return -1;
}

}  // namespace traitsim
