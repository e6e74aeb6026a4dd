#include "record_checks.hpp"

#include <gtest/gtest.h>

#include "pedigree_builder.hpp"

namespace famlint {
namespace {

using testing::Pedigree;
using Kind = Error::Kind;

TEST(CheckCount, AcceptsOneToTheTableSizeAndNothingElse) {
  Error error;
  EXPECT_TRUE(check_count(1, error));
  EXPECT_TRUE(check_count(max_records, error));
  EXPECT_EQ(error.kind, Kind::none);

  EXPECT_FALSE(check_count(max_records + 1, error));
  EXPECT_EQ(error.kind, Kind::sample_size);
  EXPECT_FALSE(check_count(99999, error));
  EXPECT_EQ(error.kind, Kind::sample_size);

  for (std::int32_t n : {0, -1, -99999}) {
    error = {};
    EXPECT_FALSE(check_count(n, error)) << n;
    EXPECT_EQ(error.kind, Kind::empty_pedigree) << n;
    EXPECT_EQ(error.count, n);
  }
}

TEST(CheckRecord, ParentsAreTestedBeforeRaceThenRaceByFounderOrNot) {
  Pedigree p;
  p.add(1, 1, 3, 0, 0, 1)    // one parent, and a race that would fail a founder
      .add(1, 2, 0, 4, 1, 1) // one parent, the mother
      .add(1, 3, 0, 0, 0, 1) // founder with race 0
      .add(1, 4, 0, 0, 7, 1) // founder with any other race
      .add(1, 5, 1, 2, 0, 1) // non-founder with race 0
      .add(1, 6, 1, 2, 100, 1)
      .add(1, 7, 1, 2, 1, 1)
      .add(1, 8, -1, -2, -5, 1)
      .add(0, 0, 0, 0, 0, 0); // a blank line
  const RecordVerdict expected[] = {RecordVerdict::error,       RecordVerdict::error,
                                    RecordVerdict::error,       RecordVerdict::pass,
                                    RecordVerdict::pass,        RecordVerdict::pass,
                                    RecordVerdict::race_notice, RecordVerdict::race_notice,
                                    RecordVerdict::error};
  const Kind kinds[] = {Kind::one_parent, Kind::one_parent, Kind::founder_race, Kind::none,
                        Kind::none,       Kind::none,       Kind::none,         Kind::none,
                        Kind::founder_race};
  for (std::int32_t row = 1; row <= p.ndat; ++row) {
    Error error;
    EXPECT_EQ(check_record(*p.data, row, error), expected[row - 1]) << "row " << row;
    EXPECT_EQ(error.kind, kinds[row - 1]) << "row " << row;
    if (error.kind != Kind::none) {
      EXPECT_EQ(error.row, row);
    }
  }
}

// Fields are stored in 16 or 8 bits and every test sees the stored value.
TEST(CheckRecord, SeesTheNarrowedStoredValues) {
  Pedigree p;
  p.add(65537, 65538, 65536, 2, 1, 1) // father stored as 0: one parent
      .add(1, 1, 0, 0, 256, 1)        // race stored as 0: founder with race 0
      .add(1, 1, 0, 0, 512 + 3, 1)    // race 3
      .add(1, 3, 1, 2, 356, 1)        // race stored as 100: no notice
      .add(1, 3, 1, 2, 128, 1)        // race stored as -128: notice
      .add(1, 3, 65537, -65535, 0, 257);
  const Data& d = *p.data;
  EXPECT_EQ(d.family[1], 1);
  EXPECT_EQ(d.individual[1], 2);
  EXPECT_EQ(d.father[1], 0);
  EXPECT_EQ(d.race[4], 100);
  EXPECT_EQ(d.race[5], -128);
  EXPECT_EQ(d.father[6], 1);
  EXPECT_EQ(d.mother[6], 1);
  EXPECT_EQ(d.sex[6], 1);
  EXPECT_EQ(p.add(-32769, 32768, 0, 0, 1, 1).data->family[7], 32767);
  EXPECT_EQ(d.individual[7], -32768);

  Error error;
  EXPECT_EQ(check_record(d, 1, error), RecordVerdict::error);
  EXPECT_EQ(error.kind, Kind::one_parent);
  EXPECT_EQ(check_record(d, 2, error), RecordVerdict::error);
  EXPECT_EQ(error.kind, Kind::founder_race);
  EXPECT_EQ(check_record(d, 3, error), RecordVerdict::pass);
  EXPECT_EQ(check_record(d, 4, error), RecordVerdict::pass);
  EXPECT_EQ(check_record(d, 5, error), RecordVerdict::race_notice);
  EXPECT_EQ(check_record(d, 6, error), RecordVerdict::pass);
}

TEST(CheckSequence, FamiliesStayOrMoveOnByOneFromFamilyOne) {
  struct Case {
    std::vector<std::int32_t> families;
    std::int32_t bad_row;  // 0: passes
  } cases[] = {
      {{1}, 0},
      {{7}, 0},                 // row 1 is not compared
      {{2, 2}, 0},              // row 2 is the family after the assumed family 1
      {{1, 1, 2, 2, 3}, 0},
      {{1, 1, 2, 2, 4}, 5},     // a gap
      {{1, 2, 1}, 3},           // a family may not resume
      {{1, 1, 3}, 3},
      {{1, 0}, 2},
      {{5, 3}, 2},
      {{1, 65538}, 0},          // stored as 2
      {{1, 2, 65537}, 3},       // stored as 1: a family resumed
  };
  for (const Case& c : cases) {
    Pedigree p;
    for (std::int32_t f : c.families) p.add(f, 1, 0, 0, 1, 1);
    Error error;
    EXPECT_EQ(check_sequence(*p.data, p.ndat, error), c.bad_row == 0)
        << ::testing::PrintToString(c.families);
    if (c.bad_row != 0) {
      EXPECT_EQ(error.kind, Kind::family_sequence);
      EXPECT_EQ(error.row, c.bad_row) << ::testing::PrintToString(c.families);
    }
  }
}

}  // namespace
}  // namespace famlint
