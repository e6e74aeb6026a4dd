// The model steps on small tables, followed by hand with scripted deviates: the founder
// draw, the crossover chances, one meiosis, and the order and completion of the passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "common/random/random.hpp"
#include "genodrop/drop_plan.hpp"
#include "genodrop/founders.hpp"
#include "genodrop/gene_drop.hpp"
#include "genodrop/meiosis.hpp"
#include "tests/genodrop/scripted.hpp"

namespace genodrop {
namespace {

TEST(FounderAllele, FollowsCumulativeFrequenciesWithTiesGoingLow) {
  const float f1 = 0.2f, f2 = f1 + 0.3f;
  const std::vector<float> cumulative = {f1, f2, 1.0f};
  for (bool ascending : {true, false}) {
    EXPECT_EQ(founder_allele(cumulative, ascending, 0.1f), 1);
    EXPECT_EQ(founder_allele(cumulative, ascending, f1), 1);  // a deviate equal to F(a) gives a
    EXPECT_EQ(founder_allele(cumulative, ascending, std::nextafter(f1, 1.0f)), 2);
    EXPECT_EQ(founder_allele(cumulative, ascending, 0.35f), 2);
    EXPECT_EQ(founder_allele(cumulative, ascending, 0.7f), 3);
  }
  // One allele: every deviate gives allele 1.
  EXPECT_EQ(founder_allele(std::vector<float>{1.0f}, true, 0.99f), 1);
  // Frequency 1.0 for allele 1 of two: allele 2 is never drawn.
  EXPECT_EQ(founder_allele(std::vector<float>{1.0f, 1.0f}, true, 1.0f - 1.0f / 16777216), 1);
  // 0.5, -0.2, 0.3: sums 0.5, 0.3, 0.6 fall and rise; the allele counts the sums below u.
  EXPECT_EQ(founder_allele(std::vector<float>{0.5f, 0.3f, 0.6f, 1.0f}, false, 0.4f), 2);
  EXPECT_EQ(founder_allele(std::vector<float>{0.5f, 0.3f, 0.6f, 1.0f}, false, 0.55f), 3);
}

TEST(FounderAllele, BisectionAgreesWithTheFullCount) {
  std::mt19937 gen(7);
  for (int trial = 0; trial < 2000; ++trial) {
    const int m = 1 + static_cast<int>(gen() % 40);
    std::vector<float> cumulative(m);
    float sum = 0.0f;
    for (int a = 0; a + 1 < m; ++a) {
      // Frequencies of zero make runs of equal sums, where ties matter most.
      const float p = gen() % 3 == 0 ? 0.0f : static_cast<float>(gen() % 1000) / 40000.0f;
      cumulative[a] = sum = sum + p;
    }
    cumulative[m - 1] = 1.0f;
    for (int k = 0; k < 50; ++k) {
      const float u = k < m ? cumulative[k] : static_cast<float>(gen() % 16777215 + 1) / 16777216.0f;
      ASSERT_EQ(founder_allele(cumulative, true, u), founder_allele(cumulative, false, u))
          << "trial " << trial << ", u " << u;
    }
  }
}

TEST(CrossoverChance, FollowsHaldaneInSinglePrecision) {
  EXPECT_EQ(crossover_chance(0.0f, 0.0f), 0.0f);
  EXPECT_EQ(crossover_chance(12.5f, 12.5f), 0.0f);
  EXPECT_NEAR(*crossover_chance(0.0f, 10.0f), 0.0906346, 1e-6);
  EXPECT_NEAR(*crossover_chance(20.0f, 70.0f), 0.3160603, 1e-6);
  EXPECT_EQ(*crossover_chance(0.0f, 10.0f), (1.0f - static_cast<float>(std::exp(-0.2))) / 2.0f);
  // 15 cM is 0.150000006 morgans when scaled in double and rounded once, but 0.149999991 when
  // scaled in single precision, and the chances differ in their last bit.
  EXPECT_EQ(*crossover_chance(0.0f, 15.0f), 0.129590899f);
  EXPECT_EQ(*crossover_chance(3.0f, 21.0f), 0.151161849f);
  EXPECT_EQ(crossover_chance(0.0f, 30000.0f), 0.5f);
  EXPECT_EQ(crossover_chance(-1.0f, 1e9f), 0.5f);
  EXPECT_FALSE(crossover_chance(10.0f, 9.99f).has_value());
  EXPECT_FALSE(crossover_chance(0.0f, -30000.0f).has_value());
}

TEST(ModelHap, WorkedExample) {
  const std::vector<float> positions = {0.0f, 10.0f, 10.0f};
  const std::vector<AllelePair> pair = {{1, 2}, {3, 4}, {5, 6}};
  std::vector<float> deviates(3);
  std::vector<std::int16_t> haplotype(3);
  scripted::deviates({0.7, 0.05, 0.3});
  ASSERT_TRUE(model_hap(deviates, haplotype, pair, positions));
  EXPECT_EQ(haplotype, (std::vector<std::int16_t>{1, 4, 6}));
  EXPECT_EQ(deviates, (std::vector<float>{scripted::as_delivered(0.7), scripted::as_delivered(0.05),
                                          scripted::as_delivered(0.3)}));

  // A first deviate of at most 0.5 starts on haplotype 2; loci at one position never switch.
  scripted::deviates({0.5, 0.001, 0.9});
  ASSERT_TRUE(model_hap(deviates, haplotype, pair, positions));
  EXPECT_EQ(haplotype, (std::vector<std::int16_t>{2, 3, 5}));
}

TEST(ModelHap, RefusesLociOutOfMapOrder) {
  const std::vector<float> positions = {0.0f, 5.0f, 4.5f};
  const std::vector<AllelePair> pair = {{1, 2}, {1, 2}, {1, 2}};
  std::vector<float> deviates(3);
  std::vector<std::int16_t> haplotype(3);
  ranlux::rluxgo(4, 1, 0, 0);
  EXPECT_FALSE(model_hap(deviates, haplotype, pair, positions));
}

// Tables for a few rows; every row is in one family block unless blocks are given.
struct Tables {
  std::unique_ptr<Locides> locides = std::make_unique<Locides>();
  std::unique_ptr<Pedigree> pedigree = std::make_unique<Pedigree>();
  std::unique_ptr<Genotypes> genotypes = std::make_unique<Genotypes>();
  std::unique_ptr<Gent> gent = std::make_unique<Gent>();

  // One two-allele locus per position, frequency 0.5 in both populations.
  void loci(std::vector<float> positions) {
    size_loci(*locides, static_cast<std::int32_t>(positions.size()));
    for (std::size_t j = 0; j < positions.size(); ++j) {
      locides->positions[j] = positions[j];
      locides->alleles[j] = 2;
      for (int q = 0; q < populations; ++q) {
        locides->cumulative[j][q] = {0.5f, 1.0f};
        locides->ascending[j][q] = true;
      }
    }
  }
  // Rows as {father, mother, race}; block ends as the reader finds them.
  // The loci are given first: the result tables are sized by both.
  void rows(std::vector<std::array<std::int32_t, 3>> rows, std::vector<std::int32_t> ends = {}) {
    size_pedigree(*pedigree, static_cast<std::int32_t>(rows.size()));
    genotypes->alleles = {pedigree->count, locides->count};
    gent->deviates = {pedigree->count, locides->count};
    for (std::size_t i = 0; i < rows.size(); ++i) {
      auto& r = pedigree->records[i];
      r.family = 7;
      r.individual = static_cast<std::int32_t>(i + 1);
      r.father = rows[i][0];
      r.mother = rows[i][1];
      r.race = rows[i][2];
    }
    if (ends.empty()) ends = {pedigree->count};
    pedigree->blocks = static_cast<std::int32_t>(ends.size());
    pedigree->block_ends = {0};
    pedigree->block_ends.insert(pedigree->block_ends.end(), ends.begin(), ends.end());
  }
};

TEST(ModelFounders, DrawsHaplotypeOneThenTwoInFileOrder) {
  Tables t;
  t.loci({0.0f, 1.0f});
  t.locides->cumulative[1][1][0] = 0.9f;  // population 2 at locus 2: allele 1 up to 0.9
  t.rows({{0, 0, 1}, {1, 3, 0}, {0, 0, 2}});
  scripted::deviates({0.1, 0.6, 0.7, 0.2, 0.3, 0.8, 0.95, 0.4});
  model_founders(*t.locides, *t.pedigree, *t.genotypes, *t.gent);
  const auto& g = t.genotypes->alleles;
  EXPECT_EQ(g(0, 0)[0], 1);
  EXPECT_EQ(g(0, 0)[1], 2);
  EXPECT_EQ(g(0, 1)[0], 2);
  EXPECT_EQ(g(0, 1)[1], 1);
  EXPECT_EQ(g(2, 0)[0], 1);
  EXPECT_EQ(g(2, 0)[1], 1);  // 0.8 is below 0.9 in population 2
  EXPECT_EQ(g(2, 1)[0], 2);
  EXPECT_EQ(g(2, 1)[1], 1);
  EXPECT_EQ(t.gent->deviates(2, 0)[1], scripted::as_delivered(0.8));
  EXPECT_EQ(t.gent->deviates(0, 1)[0], scripted::as_delivered(0.7));
  // The child draws nothing and stays pending; the founders are done.
  EXPECT_EQ(g(1, 0)[0], 0);
  EXPECT_EQ(t.pedigree->pending[1], (std::array<std::int32_t, 2>{1, 1}));
  EXPECT_EQ(t.pedigree->pending[0], (std::array<std::int32_t, 2>{0, 0}));
  EXPECT_EQ(t.pedigree->pending[2], (std::array<std::int32_t, 2>{0, 0}));
}

// The founders' alleles come through the map's buckets, over loci of different lengths, lists
// with ties, lists crowded into a few buckets and lists that fall among them; each allele must
// be the one its own deviate gives.
TEST(ModelFounders, BucketsGiveEveryLocusItsOwnAllele) {
  std::mt19937 gen(12);
  Tables t;
  size_loci(*t.locides, max_loci);
  for (int j = 0; j < max_loci; ++j) {
    const int m = 1 + static_cast<int>(gen() % (j % 7 == 0 ? max_alleles : 30));
    t.locides->alleles[j] = m;
    for (int q = 0; q < populations; ++q) {
      auto& cumulative = t.locides->cumulative[j][q];
      cumulative.resize(static_cast<std::size_t>(m));
      const bool falls = m > 2 && j % 5 == q;
      float sum = 0.0f;
      for (int a = 0; a + 1 < m; ++a) {
        const float p = gen() % 3 == 0 ? 0.0f : static_cast<float>(gen() % 1000) / (40.0f * m);
        cumulative[a] = sum = sum + (falls && a == 1 ? -cumulative[0] / 2 : p);
      }
      cumulative[m - 1] = 1.0f;
      t.locides->ascending[j][q] = std::is_sorted(cumulative.begin(), cumulative.begin() + m);
    }
  }
  t.rows({{0, 0, 1}, {0, 0, 2}, {0, 0, 2}, {0, 0, 1}});
  ranlux::rluxgo(4, 99, 0, 0);
  model_founders(*t.locides, *t.pedigree, *t.genotypes, *t.gent);
  for (int i = 0; i < 4; ++i) {
    const int q = t.pedigree->records[i].race - 1;
    for (int side = 0; side < sides; ++side) {
      for (int j = 0; j < max_loci; ++j) {
        const std::span<const float> cumulative(t.locides->cumulative[j][q].data(),
                                                static_cast<std::size_t>(t.locides->alleles[j]));
        ASSERT_EQ(t.genotypes->alleles(i, side)[j],
                  founder_allele(cumulative, t.locides->ascending[j][q], t.gent->deviates(i, side)[j]))
            << "row " << i << ", side " << side << ", locus " << j;
      }
    }
  }
}

TEST(ModelOffspring, ChildBeforeItsParentWaitsForTheNextPass) {
  Tables t;
  t.loci({0.0f});
  // Row 1 is a child of row 2 (not yet made) and founder row 3; row 2 a child of rows 4, 5.
  t.rows({{2, 3, 0}, {4, 5, 0}, {0, 0, 1}, {0, 0, 2}, {0, 0, 1}});
  DropPlan plan;
  ASSERT_FALSE(plan_drop(*t.pedigree, "p", plan));
  EXPECT_EQ(plan.founders, (std::vector<std::int32_t>{2, 3, 4}));
  // Pass 1 makes row 1's maternal haplotype and both of row 2's; pass 2 row 1's paternal one.
  std::vector<std::array<std::int32_t, 3>> made;
  for (const Meiosis& m : plan.meioses) made.push_back({m.child, m.side, m.parent});
  EXPECT_EQ(made, (std::vector<std::array<std::int32_t, 3>>{{0, 1, 2}, {1, 0, 3}, {1, 1, 4}, {0, 0, 1}}));
  EXPECT_EQ(t.pedigree->pending[0], (std::array<std::int32_t, 2>{0, 0}));
}

TEST(ModelOffspring, ParentsAreFoundWithinTheirOwnBlock) {
  Tables t;
  t.loci({0.0f});
  // Two blocks of three: parent numbers 1 and 2 mean rows 4 and 5 in the second block.
  t.rows({{0, 0, 1}, {0, 0, 1}, {1, 2, 0}, {0, 0, 2}, {0, 0, 2}, {1, 2, 0}}, {3, 6});
  ranlux::rluxgo(4, 5, 0, 0);
  model_founders(*t.locides, *t.pedigree, *t.genotypes, *t.gent);
  auto& g = t.genotypes->alleles;
  g(0, 0)[0] = g(0, 1)[0] = 1;  // first block's parents carry allele 1 only,
  g(1, 0)[0] = g(1, 1)[0] = 1;
  g(3, 0)[0] = g(3, 1)[0] = 2;  // the second block's allele 2 only
  g(4, 0)[0] = g(4, 1)[0] = 2;
  ASSERT_FALSE(complete_offspring(*t.locides, *t.pedigree, *t.genotypes, *t.gent, "p"));
  EXPECT_EQ(g(2, 0)[0], 1);
  EXPECT_EQ(g(2, 1)[0], 1);
  EXPECT_EQ(g(5, 0)[0], 2);
  EXPECT_EQ(g(5, 1)[0], 2);
}

TEST(ModelOffspring, CarriesAllelesAboveOneByteWhole) {
  Tables t;
  t.loci({0.0f, 1.0f});
  t.locides->alleles[0] = 999;
  t.locides->cumulative[0][0].resize(999);
  for (int a = 0; a < 998; ++a) t.locides->cumulative[0][0][a] = 0.0f;  // always allele 999
  t.locides->cumulative[0][0][998] = 1.0f;
  t.locides->ascending[0][0] = true;
  t.rows({{0, 0, 1}, {0, 0, 1}, {1, 2, 0}});
  ranlux::rluxgo(4, 3, 0, 0);
  model_founders(*t.locides, *t.pedigree, *t.genotypes, *t.gent);
  t.genotypes->alleles(1, 0)[0] = 128;
  t.genotypes->alleles(1, 1)[0] = 255;
  ASSERT_FALSE(complete_offspring(*t.locides, *t.pedigree, *t.genotypes, *t.gent, "p"));
  EXPECT_EQ(t.genotypes->alleles(0, 0)[0], 999);
  EXPECT_EQ(t.genotypes->alleles(2, 0)[0], 999);
  const auto maternal = t.genotypes->alleles(2, 1)[0];
  EXPECT_TRUE(maternal == 128 || maternal == 255) << maternal;
}

TEST(CompleteOffspring, FinishesInAsManyPassesAsNeededAndStopsOnBadMapOrder) {
  Tables t;
  t.loci({0.0f, 3.0f});
  // A chain listed youngest first: each pass can make only the next generation.
  t.rows({{2, 5, 0}, {3, 5, 0}, {4, 5, 0}, {0, 0, 1}, {0, 0, 2}});
  ranlux::rluxgo(4, 2, 0, 0);
  model_founders(*t.locides, *t.pedigree, *t.genotypes, *t.gent);
  EXPECT_FALSE(complete_offspring(*t.locides, *t.pedigree, *t.genotypes, *t.gent, "p"));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(t.pedigree->pending[i], (std::array<std::int32_t, 2>{0, 0}));

  // Founders only: one pass, nothing made, no stop even with loci out of order.
  Tables f;
  f.loci({5.0f, 1.0f});
  f.rows({{0, 0, 1}, {0, 0, 2}});
  model_founders(*f.locides, *f.pedigree, *f.genotypes, *f.gent);
  EXPECT_FALSE(complete_offspring(*f.locides, *f.pedigree, *f.genotypes, *f.gent, "p"));

  t.loci({5.0f, 1.0f});
  t.rows({{0, 0, 1}, {0, 0, 2}, {1, 2, 0}});
  model_founders(*t.locides, *t.pedigree, *t.genotypes, *t.gent);
  const outcome::Outcome stop = complete_offspring(*t.locides, *t.pedigree, *t.genotypes, *t.gent, "p");
  ASSERT_TRUE(stop);
  EXPECT_EQ(stop->text, "illegal marker order");
}

TEST(CompleteOffspring, StopsWhenAPassMakesNothingAndNamesAnIndividualOnTheCycle) {
  struct Case {
    std::vector<std::array<std::int32_t, 3>> rows;
    std::vector<std::string> messages;  // any of these lines
  };
  const std::string tail = " of family 7 is its own ancestor, so no genotypes can be made for it";
  const std::vector<Case> cases = {
      // its own father
      {{{0, 0, 1}, {2, 1, 0}}, {"ped.wrk, line 3: individual 2" + tail}},
      // two individuals each the other's father
      {{{2, 3, 0}, {1, 3, 0}, {0, 0, 2}},
       {"ped.wrk, line 2: individual 1" + tail, "ped.wrk, line 3: individual 2" + tail}},
      // a child of the cycle rows 3 and 4, listed first: the cycle is named, not the child
      {{{3, 2, 0}, {0, 0, 1}, {4, 2, 0}, {3, 2, 0}},
       {"ped.wrk, line 4: individual 3" + tail, "ped.wrk, line 5: individual 4" + tail}},
  };
  for (const auto& c : cases) {
    Tables t;
    t.loci({0.0f});
    t.rows(c.rows);
    ranlux::rluxgo(4, 9, 0, 0);
    model_founders(*t.locides, *t.pedigree, *t.genotypes, *t.gent);
    const outcome::Outcome stop = complete_offspring(*t.locides, *t.pedigree, *t.genotypes, *t.gent, "ped.wrk");
    ASSERT_TRUE(stop);
    EXPECT_NE(std::find(c.messages.begin(), c.messages.end(), stop->text), c.messages.end())
        << stop->text;
  }
}

}  // namespace
}  // namespace genodrop
