#include "traitsim/model.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/random/random.hpp"

namespace {

using namespace traitsim;

// Adds a model locus named `name` (12 columns, as read) with n alleles and values row by row.
void add_model_locus(Locides& l, const std::string& name, int n, std::vector<float> values) {
  const int p = l.nloci++;
  l.model_names[p] = Name(name);
  l.nalleles[p] = n;
  for (int j = 0; j < n; ++j)
    for (int k = 0; k < n; ++k) l.values[p][j][k] = values[j * n + k];
}

void set_qtl_names(Locides& l, std::initializer_list<const char*> names) {
  l.nqtl = 0;
  for (const char* name : names) l.qtl_names[l.nqtl++] = Name(name);
  match_loci(l);
}

// The genotypic value of one individual with the given (first, second) alleles per QTL locus.
float value_of(const Locides& l, std::initializer_list<std::pair<int, int>> pairs) {
  Genotypes g;
  g.phenotypes.assign(1, 0.0f);
  int b = 0;
  for (auto [a1, a2] : pairs) {
    g.alleles[b][0] = static_cast<std::int8_t>(a1);
    g.alleles[b][1] = static_cast<std::int8_t>(a2);
    ++b;
  }
  add_genotypic_value(l, g, 0);
  return g.phenotypes[0];
}

TEST(GenotypicValue, AdditiveLocusAndAlleleOrder) {
  Locides l;
  add_model_locus(l, "qtl1", 2, {0, 1, 1, 2});
  add_model_locus(l, "qtl2", 3, {0, 0.25f, 0, 4, 0, 0, 0, 0, 8});
  set_qtl_names(l, {"qtl1", "qtl2"});
  EXPECT_EQ(value_of(l, {{1, 1}, {3, 3}}), 8.0f);
  EXPECT_EQ(value_of(l, {{1, 2}, {1, 1}}), 1.0f);
  EXPECT_EQ(value_of(l, {{2, 1}, {1, 1}}), 1.0f);
  EXPECT_EQ(value_of(l, {{2, 2}, {1, 1}}), 2.0f);
  // The first allele selects the row: G(1,2) and G(2,1) differ.
  EXPECT_EQ(value_of(l, {{1, 1}, {1, 2}}), 0.25f);
  EXPECT_EQ(value_of(l, {{1, 1}, {2, 1}}), 4.0f);
  // Alleles from n+1 to 10 find entries the model file did not set.
  EXPECT_EQ(value_of(l, {{3, 10}, {10, 1}}), 0.0f);
}

TEST(GenotypicValue, NamesMatchOnAllTwelveColumns) {
  Locides l;
  add_model_locus(l, "qtl1", 2, {0, 1, 1, 2});
  add_model_locus(l, " qtl1", 2, {100, 100, 100, 100});  // shifted by one column
  add_model_locus(l, "QTL1", 2, {200, 200, 200, 200});   // other letter case
  add_model_locus(l, "absent", 2, {300, 300, 300, 300}); // not in the QTL file
  add_model_locus(l, "qtl1", 2, {10, 20, 30, 40});       // twice in the model: both count
  add_model_locus(l, "qtl1    2nd", 2, {400, 400, 400, 400});  // differs in columns 9 to 12 only
  add_model_locus(l, "qtl_locus_1b", 2, {500, 500, 500, 500});
  // Loci in another order than the model's, and one locus the model does not name.
  set_qtl_names(l, {"marker", "qtl1", "qtl_locus_1a"});
  EXPECT_EQ(l.nmatches[0], 0);
  EXPECT_EQ(l.nmatches[1], 2);
  EXPECT_EQ(l.nmatches[2], 0);
  EXPECT_EQ(value_of(l, {{99, -5}, {2, 1}, {1, 1}}), 31.0f);
}

TEST(GenotypicValue, ModelThatNamesNoLocusGivesZero) {
  Locides l;
  add_model_locus(l, "qtl9", 2, {5, 5, 5, 5});
  set_qtl_names(l, {"qtl1", "qtl2"});
  EXPECT_EQ(value_of(l, {{1, 1}, {2, 2}}), 0.0f);
  set_qtl_names(l, {});
  EXPECT_EQ(value_of(l, {}), 0.0f);
}

TEST(GenotypicValue, SumsInSinglePrecisionInFileOrder) {
  // 2^24 + 1 + 1 in float is 2^24 (each step rounds back down); a double sum would give 2^24+2.
  Locides l;
  add_model_locus(l, "big", 1, {16777216.0f});
  add_model_locus(l, "one", 1, {1.0f});
  set_qtl_names(l, {"big", "one", "one"});
  EXPECT_EQ(value_of(l, {{1, 1}, {1, 1}, {1, 1}}), 16777216.0f);
}

TEST(Pnormrnd, TwelveUniformsMinusSixWithinSixDeviations) {
  ranlux::rluxgo(4, 20240607, 0, 0);
  std::vector<float> uniforms(12 * 1000);
  ranlux::ranlux(uniforms);
  ranlux::rluxgo(4, 20240607, 0, 0);
  for (int i = 0; i < 1000; ++i) {
    float s = 0.0f;
    for (int j = 0; j < 12; ++j) s = s + uniforms[12 * i + j];
    ASSERT_EQ(pnormrnd(), s - 6.0f) << "deviate " << i;
  }
  for (int i = 0; i < 200000; ++i) {
    float z = pnormrnd();
    ASSERT_GE(z, -6.0f);
    ASSERT_LE(z, 6.0f);
  }
}

TEST(Environment, SigmaZeroKeepsGenotypicSumsAndStillDrawsTwelvePerIndividual) {
  Locides l;
  l.sigma = 0.0f;
  Genotypes g;
  g.n = 3;
  g.phenotypes.assign(4, 0.0f);
  g.phenotypes[0] = 1.5f;
  g.phenotypes[1] = -2.25f;
  g.phenotypes[3] = 7.0f;  // beyond N: untouched
  ranlux::rluxgo(4, 77, 0, 0);
  add_environment(l, g);
  const float next = ranlux::rndnum();
  EXPECT_EQ(g.phenotypes[0], 1.5f);
  EXPECT_EQ(g.phenotypes[1], -2.25f);
  EXPECT_EQ(g.phenotypes[2], 0.0f);
  EXPECT_FALSE(std::signbit(g.phenotypes[2]));  // never written as -0.000
  EXPECT_EQ(g.phenotypes[3], 7.0f);

  std::vector<float> uniforms(37);
  ranlux::rluxgo(4, 77, 0, 0);
  ranlux::ranlux(uniforms);
  EXPECT_EQ(next, uniforms[36]);
}

TEST(Environment, WithoutGeneticEffectMeanZeroSpreadSigma) {
  // Seeded from the clock: every run checks another sample. The bounds are over five standard
  // errors wide for 5000 individuals, so a correct program practically never fails them.
  ranlux::rndseed();
  for (float sigma : {1.0f, 2.5f}) {
    SCOPED_TRACE(sigma);
    Locides l;
    l.sigma = sigma;
    Genotypes g;
    g.n = max_individuals;
    g.phenotypes.assign(max_individuals, 0.0f);
    add_environment(l, g);
    double sum = 0, squares = 0;
    for (int q = 0; q < g.n; ++q) {
      ASSERT_GE(g.phenotypes[q], -6 * sigma);
      ASSERT_LE(g.phenotypes[q], 6 * sigma);
      sum += g.phenotypes[q];
      squares += double(g.phenotypes[q]) * g.phenotypes[q];
    }
    const double mean = sum / g.n, sd = std::sqrt(squares / g.n - mean * mean);
    EXPECT_NEAR(mean, 0.0, 5 * sigma / std::sqrt(g.n));
    EXPECT_NEAR(sd, sigma, 5 * sigma / std::sqrt(2.0 * g.n));
  }
}

TEST(Environment, NonFinitePhenotypeIsFound) {
  Genotypes g;
  g.n = 4;
  g.phenotypes.assign(4, 0.0f);
  EXPECT_EQ(first_non_finite(g), -1);
  g.phenotypes[2] = INFINITY;
  g.phenotypes[3] = NAN;
  EXPECT_EQ(first_non_finite(g), 2);
  g.phenotypes[2] = 3.4e38f;
  EXPECT_EQ(first_non_finite(g), 3);
}

}  // namespace
