#include "family_checks.hpp"

#include <gtest/gtest.h>

#include "family_index.hpp"
#include "pedigree_builder.hpp"

namespace famlint {
namespace {

using testing::Pedigree;
using Kind = Error::Kind;

TEST(Crtins, FamiliesAreRunsOfNeighbouringRows) {
  Pedigree p;
  p.add(1, 1, 0, 0, 1, 1).add(1, 2, 0, 0, 1, 1);
  p.add(2, 1, 0, 0, 1, 1).add(2, 2, 0, 0, 1, 1).add(2, 3, 0, 0, 1, 1);
  p.add(3, 1, 0, 0, 1, 1);
  FamilyIndex buf1;
  Error error;
  ASSERT_TRUE(crtins(*p.data, p.ndat, buf1, error));
  EXPECT_EQ(buf1.families, 3);
  EXPECT_EQ(buf1.last[0], 0);
  EXPECT_EQ(buf1.last[1], 2);
  EXPECT_EQ(buf1.last[2], 5);
  EXPECT_EQ(buf1.last[3], 6);

  // Values do not matter, only changes between neighbours: a family in two runs counts twice.
  Pedigree q;
  q.add(9, 1, 0, 0, 1, 1).add(4, 1, 0, 0, 1, 1).add(4, 2, 0, 0, 1, 1).add(9, 1, 0, 0, 1, 1);
  ASSERT_TRUE(crtins(*q.data, q.ndat, buf1, error));
  EXPECT_EQ(buf1.families, 3);
  EXPECT_EQ(buf1.last[3], 4);
}

// One record per family: at the index's size, one past it and as far past as the table allows.
TEST(Crtins, StopsAtTheFamilyPastTheIndex) {
  for (std::int32_t families : {max_families, max_families + 1, max_records}) {
    Pedigree p;
    for (std::int32_t f = 1; f <= families; ++f) p.add(f, 1, 0, 0, 1, 1);
    FamilyIndex buf1;
    Error error;
    const bool fits = families <= max_families;
    EXPECT_EQ(crtins(*p.data, p.ndat, buf1, error), fits) << families;
    EXPECT_EQ(buf1.families, max_families);
    EXPECT_EQ(buf1.last[max_families], max_families);
    if (!fits) {
      EXPECT_EQ(error.kind, Kind::too_many_families);
      EXPECT_EQ(error.row, max_families + 1);
    }
    // testsex reports the same, before looking inside any family.
    Error from_testsex;
    EXPECT_EQ(testsex(*p.data, p.ndat, buf1, from_testsex), fits);
    EXPECT_EQ(from_testsex.kind, error.kind);
  }
}

// Runs testsex on `p` and returns what it reported (kind none when the file passed).
Error run_testsex(const Pedigree& p) {
  FamilyIndex buf1;
  Error error;
  const bool passed = testsex(*p.data, p.ndat, buf1, error);
  EXPECT_EQ(passed, error.kind == Kind::none);
  return error;
}

TEST(Testsex, CorrectPedigreesPass) {
  Pedigree p;
  p.trio(1).trio(2);
  // Parents after their child, a negative parent number, and a man named as his own father.
  p.add(3, 1, 2, 3, 0, 2).add(3, 2, -1, -1, 0, 1).add(3, 3, 0, 0, 1, 2).add(3, 4, 4, 3, 0, 1);
  // A member of unknown sex who is nobody's parent.
  p.add(4, 1, 0, 0, 1, 1).add(4, 2, 0, 0, 1, 2).add(4, 3, 1, 2, 0, 0).add(4, 4, 1, 2, 0, 9);
  EXPECT_EQ(run_testsex(p).kind, Kind::none);
}

TEST(Testsex, FamilyNumberOfARecordInsideItsRun) {
  // Row 1 carries family 2, row 2 family 2: the sequence check passes them, the family check
  // reports row 1 of family 1, by row when its sex is 1 or 2, by its number otherwise.
  for (std::int32_t sex : {1, 2, 0, 3}) {
    Pedigree p;
    p.add(2, 5, 0, 0, 1, sex).trio(2);
    const Error e = run_testsex(p);
    if (sex == 1 || sex == 2) {
      EXPECT_EQ(e.kind, Kind::family_number) << sex;
      EXPECT_EQ(e.row, 1);
    } else {
      EXPECT_EQ(e.kind, Kind::sex) << sex;
      EXPECT_EQ(e.member, 5);
    }
    EXPECT_EQ(e.family, 1);
  }
}

TEST(Testsex, NumberingWithinTheFamily) {
  Pedigree p;
  p.trio(1).add(2, 1, 0, 0, 1, 1).add(2, 2, 0, 0, 1, 2).add(2, 4, 1, 2, 0, 1);
  const Error e = run_testsex(p);
  EXPECT_EQ(e.kind, Kind::numbering);
  EXPECT_EQ(e.family, 2);
  EXPECT_EQ(e.member, 3);
  EXPECT_EQ(e.found, 4);
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
    const Error e = run_testsex(p);
    if (c.passes) {
      EXPECT_EQ(e.kind, Kind::none) << c.father << " " << c.mother;
    } else {
      EXPECT_EQ(e.kind, Kind::parent_range) << c.father << " " << c.mother;
      EXPECT_EQ(e.family, 2);
      EXPECT_EQ(e.member, 3);
    }
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
    const Error e = run_testsex(p);
    if (c.passes) {
      EXPECT_EQ(e.kind, Kind::none) << c.what;
    } else {
      EXPECT_EQ(e.kind, Kind::sex) << c.what;
      EXPECT_EQ(e.family, 2) << c.what;
      EXPECT_EQ(e.member, 2) << c.what;
    }
  }
}

TEST(Testsex, AParentNamedAsBothFatherAndMotherIsCaught) {
  for (std::int32_t sex : {1, 2}) {
    Pedigree p;
    p.add(1, 1, 0, 0, 1, sex).add(1, 2, 1, 1, 0, 1);
    const Error e = run_testsex(p);
    EXPECT_EQ(e.kind, Kind::sex) << sex;
    EXPECT_EQ(e.member, 1);
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
  Error e = run_testsex(p);
  EXPECT_EQ(e.kind, Kind::sex);  // record 2 is tested in full before record 3
  EXPECT_EQ(e.member, 2);

  Pedigree q;
  q.trio(1).add(2, 1, 0, 0, 1, 1).add(2, 3, 9, 0, 0, 1);
  e = run_testsex(q);
  EXPECT_EQ(e.kind, Kind::numbering);  // numbering before the parents of the same record
}

}  // namespace
}  // namespace famlint
