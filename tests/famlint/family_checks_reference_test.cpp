// testsex marks each family's parents once instead of scanning the family for every member;
// this checks it against the checks done the literal way on many damaged pedigrees.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "famlint/family_checks.hpp"
#include "famlint/family_index.hpp"
#include "famlint/messages.hpp"
#include "tests/famlint/pedigree_builder.hpp"

namespace famlint {
namespace {

using testing::Pedigree;

// The family checks as written down: for each record every test in turn, the sex test by a
// scan of the whole family.
// Returns the message of the first failure, or "" when every family passes.
std::string reference_checks(const Data& data, const FamilyIndex& buf1) {
  for (std::int32_t k = 1; k <= buf1.families; ++k) {
    const std::int32_t s = buf1.last[k - 1];
    const std::int32_t e = buf1.last[k];
    const std::int32_t n = e - s;
    for (std::int32_t j = s + 1; j <= e; ++j) {
      const std::int32_t sex = data.sex[j];
      if (data.family[j] != k) {
        if (sex == 1 || sex == 2) return family_number_message(k, j);
        return sex_message(k, data.individual[j]);
      }
      const std::int32_t p = data.individual[j];
      if (p != j - s) return numbering_message(k, j - s, p);
      if (data.father[j] > n) return parent_range_message(k, j - s);
      if (data.mother[j] > n) return parent_range_message(k, j - s);
      for (std::int32_t q = s + 1; q <= e; ++q) {
        const bool as_mother = data.mother[q] == p;
        const bool as_father = data.father[q] == p;
        if ((sex == 1 && as_mother) || (sex == 2 && as_father) ||
            (sex != 1 && sex != 2 && (as_mother || as_father))) {
          return sex_message(k, p);
        }
      }
    }
  }
  return {};
}

TEST(Testsex, AgreesWithTheLiteralChecksOnDamagedPedigrees) {
  std::mt19937 rng(20240607);
  auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  int failures_seen = 0;
  for (int trial = 0; trial < 20000; ++trial) {
    Pedigree p;
    const int families = uniform(1, 5);
    for (int f = 1; f <= families; ++f) {
      const int size = uniform(1, 7);
      for (int m = 1; m <= size; ++m) {
        // Founders first; later members take parents among the founders, mostly 1 and 2.
        const bool founder = m <= 2 || uniform(0, 3) == 0;
        const int father = founder ? 0 : 1;
        const int mother = founder ? 0 : 2;
        const int sex = m == 1 ? 1 : m == 2 ? 2 : uniform(1, 2);
        p.add(f, m, father, mother, founder ? 1 : 0, sex);
      }
    }
    // A few kinds of damage, each now and then; often none, so that passing files are common.
    const int damage = uniform(0, 3);
    Data& d = *p.data;
    for (int i = 0; i < damage; ++i) {
      const int row = uniform(1, p.ndat);
      switch (uniform(0, 4)) {
        case 0: d.family[row] = static_cast<std::int16_t>(d.family[row] + uniform(-1, 1)); break;
        case 1: d.individual[row] = static_cast<std::int16_t>(uniform(-1, 8)); break;
        case 2: d.father[row] = static_cast<std::int16_t>(uniform(-2, 9)); break;
        case 3: d.mother[row] = static_cast<std::int16_t>(uniform(-2, 9)); break;
        case 4: d.sex[row] = static_cast<std::int8_t>(uniform(0, 3)); break;
      }
    }

    FamilyIndex buf1;
    const outcome::Outcome fast = testsex(d, p.ndat, buf1, "pe2.wrk");
    ASSERT_EQ(fast ? fast->text : "", reference_checks(d, buf1)) << "trial " << trial;
    if (fast) ++failures_seen;
  }
  // Both outcomes must be well represented for the comparison to mean anything.
  EXPECT_GT(failures_seen, 5000);
  EXPECT_LT(failures_seen, 15000);
}

}  // namespace
}  // namespace famlint
