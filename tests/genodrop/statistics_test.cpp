// The simulation over many draws: children's alleles come from the right parent, crossovers
// follow Haldane's map function, and founders follow the frequencies of their population.
// Each tolerance is five standard errors of the count, so a sound model fails about once in
// a million runs; the seeds are fixed, so a run repeats exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "common/random/random.hpp"
#include "genodrop/gene_drop.hpp"
#include "genodrop/founders.hpp"
#include "genodrop/meiosis.hpp"

namespace genodrop {
namespace {

double tolerance(double p, int n) { return 5.0 * std::sqrt(p * (1.0 - p) / n); }

TEST(Statistics, RecombinationFollowsHaldane) {
  // Loci at 0, 10, 10, 60 and 360 cM: intervals of 10, 0, 50 and 300 cM.
  const std::vector<float> positions = {0.0f, 10.0f, 10.0f, 60.0f, 360.0f};
  const std::size_t loci = positions.size();
  std::vector<AllelePair> pair(loci);
  for (std::size_t j = 0; j < loci; ++j)
    pair[j] = {static_cast<std::int16_t>(10 + j), static_cast<std::int16_t>(20 + j)};
  std::vector<float> deviates(loci);
  std::vector<std::int16_t> haplotype(loci);
  std::vector<int> switches(loci, 0);
  int second_start = 0;
  constexpr int meioses = 200000;
  ranlux::rluxgo(4, 20240611, 0, 0);
  for (int n = 0; n < meioses; ++n) {
    ASSERT_TRUE(model_hap(deviates, haplotype, pair, positions));
    std::vector<int> source(loci);
    for (std::size_t j = 0; j < loci; ++j) {
      ASSERT_TRUE(haplotype[j] == pair[j][0] || haplotype[j] == pair[j][1]) << "locus " << j;
      source[j] = haplotype[j] == pair[j][1];
      if (j > 0 && source[j] != source[j - 1]) ++switches[j];
    }
    second_start += source[0];
  }
  const double haldane10 = (1.0 - std::exp(-0.2)) / 2.0;
  const double haldane50 = (1.0 - std::exp(-1.0)) / 2.0;
  EXPECT_NEAR(static_cast<double>(second_start) / meioses, 0.5, tolerance(0.5, meioses));
  EXPECT_NEAR(static_cast<double>(switches[1]) / meioses, haldane10, tolerance(haldane10, meioses));
  EXPECT_EQ(switches[2], 0);
  EXPECT_NEAR(static_cast<double>(switches[3]) / meioses, haldane50, tolerance(haldane50, meioses));
  EXPECT_NEAR(static_cast<double>(switches[4]) / meioses, 0.5 * (1 - std::exp(-6.0)),
              tolerance(0.5, meioses));
}

struct Tables {
  std::unique_ptr<Locides> locides = std::make_unique<Locides>();
  std::unique_ptr<Pedigree> pedigree = std::make_unique<Pedigree>();
  std::unique_ptr<Genotypes> genotypes = std::make_unique<Genotypes>();
  std::unique_ptr<Gent> gent = std::make_unique<Gent>();
  // `loci` loci and `rows` rows in `blocks` blocks of equal size.
  Tables(std::int32_t loci, std::int32_t rows, std::int32_t blocks) {
    size_loci(*locides, loci);
    size_pedigree(*pedigree, rows);
    pedigree->blocks = blocks;
    for (std::int32_t b = 0; b <= blocks; ++b) pedigree->block_ends.push_back(b * (rows / blocks));
    genotypes->alleles = {rows, loci};
    gent->deviates = {rows, loci};
  }
};

// Frequencies of four alleles in each population, as cumulative sums in single precision.
void four_alleles(Locides& locides, int j, const double (&p)[populations][4]) {
  locides.alleles[j] = 4;
  for (int q = 0; q < populations; ++q) {
    float sum = 0.0f;
    locides.cumulative[j][q].resize(4);
    for (int a = 0; a < 3; ++a) locides.cumulative[j][q][a] = sum = sum + static_cast<float>(p[q][a]);
    locides.cumulative[j][q][3] = 1.0f;
    locides.ascending[j][q] = true;
  }
}

TEST(Statistics, FoundersFollowTheirPopulationsFrequencies) {
  Tables t(2, max_individuals, 1);
  const double p[populations][4] = {{0.1, 0.2, 0.3, 0.4}, {0.55, 0.05, 0.0, 0.4}};
  four_alleles(*t.locides, 0, p);
  four_alleles(*t.locides, 1, p);
  t.locides->positions[1] = 1.0f;
  auto& pedigree = *t.pedigree;
  for (int i = 0; i < max_individuals; ++i) pedigree.records[i].race = 1 + i % 2;
  std::vector<std::array<int, 4>> counts(populations, {0, 0, 0, 0});
  ranlux::rluxgo(4, 77, 0, 0);
  constexpr int rounds = 10;
  for (int round = 0; round < rounds; ++round) {
    model_founders(*t.locides, pedigree, *t.genotypes, *t.gent);
    for (int i = 0; i < max_individuals; ++i)
      for (int side = 0; side < sides; ++side)
        for (int j = 0; j < 2; ++j) ++counts[i % 2][t.genotypes->alleles(i, side)[j] - 1];
  }
  const int draws = rounds * max_individuals / 2 * sides * 2;
  for (int q = 0; q < populations; ++q)
    for (int a = 0; a < 4; ++a)
      EXPECT_NEAR(static_cast<double>(counts[q][a]) / draws, p[q][a], tolerance(p[q][a], draws) + 1e-12)
          << "population " << q + 1 << ", allele " << a + 1;
}

TEST(Statistics, EveryChildAlleleComesFromTheRightParent) {
  // 100 families of three generations, children listed before their parents, 20 loci.
  Tables t(20, 700, 100);
  auto& locides = *t.locides;
  const double p[populations][4] = {{0.25, 0.25, 0.25, 0.25}, {0.4, 0.3, 0.2, 0.1}};
  for (int j = 0; j < locides.count; ++j) {
    four_alleles(locides, j, p);
    locides.positions[j] = 7.5f * static_cast<float>(j);
  }
  auto& pedigree = *t.pedigree;
  // Rows of a family: 1 grandchild of 2 and 3; 2 child of 4 and 5; 3 child of 6 and 7;
  // 4 to 7 founders.
  const std::int32_t father[] = {2, 4, 6, 0, 0, 0, 0};
  const std::int32_t mother[] = {3, 5, 7, 0, 0, 0, 0};
  for (int b = 0; b < 100; ++b) {
    for (int k = 0; k < 7; ++k) {
      auto& r = pedigree.records[b * 7 + k];
      r = {b + 1, k + 1, father[k], mother[k], father[k] == 0 ? 1 + k % 2 : 0, 1};
    }
  }
  ranlux::rluxgo(4, 31, 0, 0);
  model_founders(locides, pedigree, *t.genotypes, *t.gent);
  ASSERT_FALSE(complete_offspring(locides, pedigree, *t.genotypes, *t.gent, "p"));
  const auto& g = t.genotypes->alleles;
  for (int b = 0; b < 100; ++b) {
    for (int k = 0; k < 3; ++k) {
      const int child = b * 7 + k;
      const int parents[sides] = {b * 7 + father[k] - 1, b * 7 + mother[k] - 1};
      for (int side = 0; side < sides; ++side)
        for (int j = 0; j < locides.count; ++j) {
          const auto allele = g(child, side)[j];
          EXPECT_TRUE(allele == g(parents[side], 0)[j] || allele == g(parents[side], 1)[j])
              << "family " << b + 1 << ", row " << k + 1 << ", side " << side << ", locus " << j;
        }
    }
  }
}

}  // namespace
}  // namespace genodrop
