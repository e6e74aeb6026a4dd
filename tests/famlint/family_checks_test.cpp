#include "famlint/family_checks.hpp"

#include <gtest/gtest.h>

#include "famlint/family_index.hpp"
#include "famlint/messages.hpp"
#include "tests/famlint/pedigree_builder.hpp"

namespace famlint {
namespace {

using testing::Pedigree;

// What a check said: its message, or "" when it passed.
std::string said(const outcome::Outcome& result) { return result ? result->text : ""; }

TEST(Crtins, FamiliesAreRunsOfNeighbouringRows) {
  Pedigree p;
  p.add(1, 1, 0, 0, 1, 1).add(1, 2, 0, 0, 1, 1);
  p.add(2, 1, 0, 0, 1, 1).add(2, 2, 0, 0, 1, 1).add(2, 3, 0, 0, 1, 1);
  p.add(3, 1, 0, 0, 1, 1);
  FamilyIndex buf1;
  ASSERT_FALSE(crtins(*p.data, p.ndat, buf1, "pe2.wrk"));
  EXPECT_EQ(buf1.families, 3);
  EXPECT_EQ(buf1.last[0], 0);
  EXPECT_EQ(buf1.last[1], 2);
  EXPECT_EQ(buf1.last[2], 5);
  EXPECT_EQ(buf1.last[3], 6);

  // Values do not matter, only changes between neighbours: a family in two runs counts twice.
  Pedigree q;
  q.add(9, 1, 0, 0, 1, 1).add(4, 1, 0, 0, 1, 1).add(4, 2, 0, 0, 1, 1).add(9, 1, 0, 0, 1, 1);
  ASSERT_FALSE(crtins(*q.data, q.ndat, buf1, "pe2.wrk"));
  EXPECT_EQ(buf1.families, 3);
  EXPECT_EQ(buf1.last[3], 4);
}

// One record per family: at the index's size, one past it and as far past as the table allows.
TEST(Crtins, StopsAtTheFamilyPastTheIndex) {
  for (std::int32_t families : {max_families, max_families + 1, max_records}) {
    Pedigree p;
    for (std::int32_t f = 1; f <= families; ++f) p.add(f, 1, 0, 0, 1, 1);
    FamilyIndex buf1;
    const bool fits = families <= max_families;
    const std::string error = said(crtins(*p.data, p.ndat, buf1, "pe2.wrk"));
    EXPECT_EQ(error, fits ? "" : too_many_families_message("pe2.wrk", max_families + 1))
        << families;
    EXPECT_EQ(buf1.families, max_families);
    EXPECT_EQ(buf1.last[max_families], max_families);
    // testsex reports the same, before looking inside any family.
    EXPECT_EQ(said(testsex(*p.data, p.ndat, buf1, "pe2.wrk")), error);
  }
}

// Runs testsex on `p` and returns what it reported ("" when the file passed).
std::string run_testsex(const Pedigree& p) {
  FamilyIndex buf1;
  return said(testsex(*p.data, p.ndat, buf1, "pe2.wrk"));
}

TEST(Testsex, CorrectPedigreesPass) {
  Pedigree p;
  p.trio(1).trio(2);
  // Parents after their child, a negative parent number, and a man named as his own father.
  p.add(3, 1, 2, 3, 0, 2).add(3, 2, -1, -1, 0, 1).add(3, 3, 0, 0, 1, 2).add(3, 4, 4, 3, 0, 1);
  // A member of unknown sex who is nobody's parent.
  p.add(4, 1, 0, 0, 1, 1).add(4, 2, 0, 0, 1, 2).add(4, 3, 1, 2, 0, 0).add(4, 4, 1, 2, 0, 9);
  EXPECT_EQ(run_testsex(p), "");
}

TEST(Testsex, FamilyNumberOfARecordInsideItsRun) {
  // Row 1 carries family 2, row 2 family 2: the sequence check passes them, the family check
  // reports row 1 of family 1, by row when its sex is 1 or 2, by its number otherwise.
  for (std::int32_t sex : {1, 2, 0, 3}) {
    Pedigree p;
    p.add(2, 5, 0, 0, 1, sex).trio(2);
    EXPECT_EQ(run_testsex(p), sex == 1 || sex == 2 ? family_number_message(1, 1)
                                                   : sex_message(1, 5))
        << sex;
  }
}

TEST(Testsex, NumberingWithinTheFamily) {
  Pedigree p;
  p.trio(1).add(2, 1, 0, 0, 1, 1).add(2, 2, 0, 0, 1, 2).add(2, 4, 1, 2, 0, 1);
  EXPECT_EQ(run_testsex(p), numbering_message(2, 3, 4));
  EXPECT_EQ(run_testsex(p), " ERROR OF NUMERATION: IS=  2 nom=  3    4\n");
}

// In a family of 4, parent numbers up to 4 pass, 5 fails whichever parent carries it; the
// record is named by its number in the family.
TEST(Testsex, ParentNumbersBeyondTheFamily) {
  struct Case {
    std::int32_t father, mother;
    bool passes;
  } cases[] = {{4, 2, true}, {5, 2, false}, {1, 5, false}, {-1, -7, true}, {32000, 2, false}};
  for (const Case& c : cases) {
    Pedigree p;
    p.trio(1).add(2, 1, 0, 0, 1, 1).add(2, 2, 0, 0, 1, 2).add(2, 3, c.father, c.mother, 0, 0);
    p.add(2, 4, 0, 0, 1, 1);
    EXPECT_EQ(run_testsex(p), c.passes ? "" : parent_range_message(2, 3))
        << c.father << " " << c.mother;
  }
}

TEST(Testsex, SexOfParents) {
  struct Case {
    const char* what;
    std::int32_t sex;            // of member 2
    std::int32_t father, mother; // of member 3
    bool passes;
  } cases[] = {
      {"a woman as mother", 2, 1, 2, true},
      {"a man as mother", 1, 1, 2, false},
      {"a woman as father", 2, 2, 1, false},
      {"a man as his own mother", 1, 0, 0, false},  // see below: member 2 names itself
      {"unknown sex as mother", 0, 1, 2, false},
      {"sex 4 as father", 4, 2, 1, false},
      {"sex 258, stored as 2, as mother", 258, 1, 2, true},
  };
  for (const Case& c : cases) {
    Pedigree p;
    p.trio(1);
    const bool self = c.father == 0;
    // Member 1 is whichever parent member 2 is not, with the sex that fits.
    p.add(2, 1, 0, 0, 1, c.mother == 1 ? 2 : 1);
    p.add(2, 2, self ? 2 : 0, self ? 2 : 0, self ? 0 : 1, c.sex);
    p.add(2, 3, c.father, c.mother, 0, 2);
    EXPECT_EQ(run_testsex(p), c.passes ? "" : sex_message(2, 2)) << c.what;
  }
}

TEST(Testsex, AParentNamedAsBothFatherAndMotherIsCaught) {
  for (std::int32_t sex : {1, 2}) {
    Pedigree p;
    p.add(1, 1, 0, 0, 1, sex).add(1, 2, 1, 1, 0, 1);
    EXPECT_EQ(run_testsex(p), sex_message(1, 1)) << sex;
  }
}

// The first failing test of the first failing record wins, whatever follows it.
TEST(Testsex, TestsRunRecordByRecordInOrder) {
  Pedigree p;
  p.trio(1)
      .add(2, 1, 0, 0, 1, 1)
      .add(2, 2, 0, 0, 1, 1)   // a man, named as mother by record 4
      .add(2, 3, 9, 0, 0, 1)   // father beyond the family: found first
      .add(2, 5, 1, 2, 0, 1);  // numbering error
  // Record 2 is tested in full before record 3.
  EXPECT_EQ(run_testsex(p), sex_message(2, 2));

  Pedigree q;
  q.trio(1).add(2, 1, 0, 0, 1, 1).add(2, 3, 9, 0, 0, 1);
  // Numbering before the parents of the same record.
  EXPECT_EQ(run_testsex(q), numbering_message(2, 2, 3));
}

}  // namespace
}  // namespace famlint
