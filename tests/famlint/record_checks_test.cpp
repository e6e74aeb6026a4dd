#include "famlint/record_checks.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "famlint/messages.hpp"
#include "tests/famlint/pedigree_builder.hpp"

namespace famlint {
namespace {

using testing::Pedigree;

// What a check said: its message, or "" when it passed.
std::string said(const outcome::Outcome& result) { return result ? result->text : ""; }

// The rows whose race notices the last check_record calls gave.
std::vector<std::int32_t> notices;
void note(std::int32_t row) { notices.push_back(row); }

TEST(CheckCount, AcceptsOneToTheTableSizeAndNothingElse) {
  EXPECT_FALSE(check_count(1, "pe2.wrk"));
  EXPECT_FALSE(check_count(max_records, "pe2.wrk"));

  EXPECT_EQ(said(check_count(max_records + 1, "pe2.wrk")), sample_size_message());
  EXPECT_EQ(said(check_count(99999, "pe2.wrk")), sample_size_message());

  for (std::int32_t n : {0, -1, -99999}) {
    EXPECT_EQ(said(check_count(n, "pe2.wrk")), empty_pedigree_message("pe2.wrk", n)) << n;
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
  const std::string expected[] = {one_parent_message(1), one_parent_message(2),
                                   founder_race_message(3), "", "", "", "", "",
                                   founder_race_message(9)};
  notices.clear();
  for (std::int32_t row = 1; row <= p.ndat; ++row) {
    EXPECT_EQ(said(check_record(*p.data, row, note)), expected[row - 1]) << "row " << row;
  }
  EXPECT_EQ(notices, (std::vector<std::int32_t>{7, 8}));
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

  notices.clear();
  EXPECT_EQ(said(check_record(d, 1, note)), one_parent_message(1));
  EXPECT_EQ(said(check_record(d, 2, note)), founder_race_message(2));
  for (std::int32_t row = 3; row <= 6; ++row) EXPECT_FALSE(check_record(d, row, note)) << row;
  EXPECT_EQ(notices, (std::vector<std::int32_t>{5}));
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
    EXPECT_EQ(said(check_sequence(*p.data, p.ndat)),
              c.bad_row == 0 ? "" : family_sequence_message(c.bad_row))
        << ::testing::PrintToString(c.families);
  }
}

}  // namespace
}  // namespace famlint
