// The layout parser: what it takes, what it refuses, and the restart point it finds.
#include <gtest/gtest.h>

#include "common/records/layout.hpp"

namespace records {
namespace {

TEST(Layout, AcceptsEveryLayoutOfTheSuite) {
  for (const char* text :
       {"(i5)", "(2i5)", "(3I5)", "(6i5,a12)", "(6I5,A12)", "(1000a12)", "(1000(6x,2i3))",
        "(5i3,a12,1000i6)", "(27x,1000f6.3)", "(27x,1000i6)", "(a255)", "(f9.3)", "(a12,f9.3)",
        "(a12,i5,100f9.3)", "(17x,f9.3)", "(a12,i5,f9.3,98f9.3)"}) {
    EXPECT_TRUE(parse_layout(text).valid) << text;
  }
}

TEST(Layout, AcceptsTheWiderNotation) {
  for (const char* text :
       {"  ( 6 i 5 , a 12 )  ", "(a)", "()", "(i5/i5)", "(i5,/,i5)", "(2/)", "(i5:i5)",
        "('a''b',\"c\")", "(3habc)", "(e12.4)", "(e12.4e3)", "(d10.2)", "(g10.3)", "(i5.3)",
        "(t10,i2,tl3,tr1,i2)", "(bn,bz,s,sp,ss,i5)", "(2pf10.3)", "(-1p,f10.3)", "(1p2e10.3)",
        "(x,i5)", "(2(3(i1),i2),a)", "(0pf5.2)", "(2000000000a12)", "(i1000000)"}) {
    EXPECT_TRUE(parse_layout(text).valid) << text;
  }
}

TEST(Layout, RefusesMalformedLayouts) {
  for (const char* text :
       {"", "   ", "i5", "(i5", "i5)", "((i5)", "(i5))", "(i5)x", "(i5) ,", "(i)", "(i0)",
        "(f6)", "(f6.)", "(f0.3)", "(a0)", "(e12.4e)", "(2)", "(3,i5)", "(i5,)", "(,i5)",
        "(i5 i5)", "(i5,,i5)", "(q5)", "(l5)", "(z5)", "(es12.4)", "(0i5)", "(0(i5))",
        "(0x)", "(2'ab')", "('abc)", "(4habc)", "(2:)", "(t)", "(t0)", "(3t5)", "(b5)",
        "(2pi5)", "(p,f5.2)", "(-i5)", "(i1000001)", "(f10.1000001)",
        "(2147483648i5)", "(99999999999999999999i5)", "(i5)\t", "(\ti5)"}) {
    EXPECT_FALSE(parse_layout(text).valid) << text;
  }
}

TEST(Layout, RestartsAtTheLastTopLevelGroup) {
  Layout plain = parse_layout("(i5,a12)");
  EXPECT_EQ(plain.restart, 0u);
  EXPECT_TRUE(plain.restart_has_data);

  Layout grouped = parse_layout("(i5,2(i3,(i1)),a2,3(x,i2),i4)");
  ASSERT_TRUE(grouped.valid);
  const Item& open = grouped.items[grouped.restart];
  EXPECT_EQ(open.kind, ItemKind::group_open);
  EXPECT_EQ(open.repeat, 3);

  EXPECT_FALSE(parse_layout("(x,'a',/)").restart_has_data);
  EXPECT_FALSE(parse_layout("(i5,(x))").restart_has_data);
}

TEST(Layout, KeepsLiteralTextWithItsBlanksAndQuotes) {
  Layout layout = parse_layout("(' a  b ','it''s',2h c)");
  ASSERT_TRUE(layout.valid);
  ASSERT_EQ(layout.items.size(), 3u);
  EXPECT_EQ(layout.literal(layout.items[0]), " a  b ");
  EXPECT_EQ(layout.literal(layout.items[1]), "it's");
  EXPECT_EQ(layout.literal(layout.items[2]), " c");
}

// Layouts come from data files: whatever the text, parsing and walking a parsed layout must
// end, without reading outside the text (the sanitizer build checks the latter).
TEST(Layout, RandomTextsAreParsedOrRefusedAndWalksEnd) {
  const std::string alphabet = "()(),,,/:'\"0123456789 .+-iIfFeEdDgGaAxXtTlLrRbBnNzZsSpPhHq";
  std::uint32_t state = 12345;
  auto random = [&](std::uint32_t n) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % n;
  };
  int valid = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text = "(";
    std::uint32_t length = random(16);
    for (std::uint32_t i = 0; i < length; ++i) text.push_back(alphabet[random(alphabet.size())]);
    if (random(2)) text.push_back(')');
    Layout layout = parse_layout(text);
    if (!layout.valid) continue;
    ++valid;
    Cursor cursor(layout);
    int data = 0;
    for (int step = 0; step < 50 && data < 20; ++step) {
      Cursor::Event event = cursor.next();
      if (event == Cursor::Event::overrun) break;
      if (event == Cursor::Event::end) {
        if (!layout.restart_has_data) break;
        cursor.restart();
        continue;
      }
      if (is_data(cursor.current().kind)) ++data;
    }
  }
  EXPECT_GT(valid, 100);
}

TEST(Layout, HugeRepeatCountsCostNothingUntilSpent) {
  Layout layout = parse_layout("(2000000000(2000000000a12))");
  ASSERT_TRUE(layout.valid);
  EXPECT_EQ(layout.items.size(), 3u);
  Cursor cursor(layout);
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(cursor.next(), Cursor::Event::item);
    EXPECT_EQ(cursor.current().kind, ItemKind::text);
  }
  // Items without data are counted, so a walk that never meets one stops.
  Layout idle = parse_layout("(i1,2000000000(x,2000000000(/)),i1)");
  Cursor walk(idle);
  ASSERT_EQ(walk.next(), Cursor::Event::item);
  Cursor::Event event;
  while ((event = walk.next()) == Cursor::Event::item) {
    ASSERT_FALSE(is_data(walk.current().kind));
  }
  EXPECT_EQ(event, Cursor::Event::overrun);
}

}  // namespace
}  // namespace records
