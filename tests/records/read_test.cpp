// Reading records: fields, blanks, short lines, restarts and the faults that end a run.
#include <cmath>
#include <csignal>
#include <cstring>
#include <random>
#include <vector>

#include "common/records/read_notes.hpp"
#include "tests/records/scratch.hpp"

namespace records_test {
namespace {

using records::Reader;
using records::Text;

using Read = Scratch;

TEST_F(Read, PedigreeRecordWithBlanksAndShortLine) {
  records::File& in = input("    3    1    0    0    1    2        1001\n"
                            "    3    2  1 2    1\n");
  std::int32_t v[6];
  Text<12> name;
  Reader(in, "(6i5,a12)")(v[0])(v[1])(v[2])(v[3])(v[4])(v[5])(name).end();
  EXPECT_EQ(v[0], 3);
  EXPECT_EQ(v[5], 2);
  EXPECT_EQ(name.view(), "        1001");
  // "  1 2" reads 12; fields past the end of the line read 0 and blanks.
  Reader(in, "(6i5,a12)")(v[0])(v[1])(v[2])(v[3])(v[4])(v[5])(name).end();
  EXPECT_EQ(v[2], 12);
  EXPECT_EQ(v[3], 1);
  EXPECT_EQ(v[4], 0);
  EXPECT_EQ(v[5], 0);
  EXPECT_EQ(name.view(), "            ");
  records::close(in);
}

std::vector<std::string> implied_notes;
void keep_implied(const records::ImpliedDecimals& note) {
  implied_notes.push_back(records::implied_decimals_warning("prog", note));
}

// Every way a real reaches its variable (one at a time, a run of floats, a double) notes a
// field without a point that the layout scaled, and nothing else; the values stay as read.
TEST_F(Read, FieldsWithoutPointAreNoted) {
  records::File& in = input("    1   2.5    0  -25  7E1\n"
                            "  300   400\n");
  implied_notes.clear();
  records::on_implied_decimals(keep_implied);
  float a = 0, b = 0, c = 0, run[2] = {0, 0};
  double d = 0, e = 0;
  Reader(in, "(f5.3,f6.1,f5.2,f5.1,f5.2)")(a)(b)(c)(d)(e).end();
  Reader(in, "(2f6.3)")(std::span<float>(run)).end();
  records::on_implied_decimals(nullptr);
  records::close(in);
  EXPECT_EQ(a, 0.001f);
  EXPECT_EQ(d, -2.5);
  EXPECT_EQ(run[1], 0.4f);
  const std::string where = "prog: " + path("in.txt") + " line ";
  ASSERT_EQ(implied_notes.size(), 5u);
  EXPECT_EQ(implied_notes[0], where + "1: \"1\" has no decimal point and is read as 0.001; write 1.000");
  EXPECT_EQ(implied_notes[1], where + "1: \"-25\" has no decimal point and is read as -2.5; write -25.0");
  EXPECT_EQ(implied_notes[2], where + "1: \"7E1\" has no decimal point and is read as 0.7; write 7.00E1");
  EXPECT_EQ(implied_notes[4], where + "2: \"400\" has no decimal point and is read as 0.4; write 400.000");
}

TEST_F(Read, IntegerFields) {
  records::File& in = input("    -\n  -12\n+7\n12,34\n 1 2 5\n-2147483648\n");
  std::int32_t a = 99, b = 99;
  Reader(in, "(i5)")(a);
  EXPECT_EQ(a, 0);  // sign only
  Reader(in, "(i5)")(a);
  EXPECT_EQ(a, -12);
  Reader(in, "(i5)")(a);
  EXPECT_EQ(a, 7);
  Reader(in, "(2i5)")(a)(b);  // a comma ends a field early
  EXPECT_EQ(a, 12);
  EXPECT_EQ(b, 34);
  Reader(in, "(bz,i5,i5)")(a)(b);  // blanks are zeros after the first digit
  EXPECT_EQ(a, 1020);
  EXPECT_EQ(b, 5);
  Reader(in, "(i11)")(a);
  EXPECT_EQ(a, -2147483647 - 1);
  records::close(in);
}

TEST_F(Read, RealFields) {
  records::File& in = input("  1234  1.25 -1.5e2 1.5-1  .5d1\n"
                            "12.5E+01 1 2 3\n"
                            "-.5,7\n");
  float f[5];
  Reader(in, "(f6.3,f6.3,e7.2,f6.1,f6.0)")(f[0])(f[1])(f[2])(f[3])(f[4]);
  EXPECT_EQ(f[0], 1.234f);  // implied decimals
  EXPECT_EQ(f[1], 1.25f);   // a written point wins
  EXPECT_EQ(f[2], -150.0f);
  EXPECT_EQ(f[3], 0.15f);   // sign after the digits starts an exponent
  EXPECT_EQ(f[4], 5.0f);
  double d[2];
  Reader(in, "(f8.1,f6.1)")(d[0])(d[1]);
  EXPECT_EQ(d[0], 125.0);
  EXPECT_EQ(d[1], 12.3);  // blanks ignored, the last digit is the fraction
  std::int32_t after = 0;
  Reader(in, "(f9.1,i5)")(d[0])(after);  // the comma ends the field; the next starts behind it
  EXPECT_EQ(d[0], -0.5);
  EXPECT_EQ(after, 7);
  records::close(in);
}

TEST_F(Read, ExponentsScaleAndBlankModes) {
  records::File& in = input(" 1.234E+02   1.5D-01     12345     12345  1.0E+01    5\n"
                            "1.5E 2 1.5q2 1.5e-2 1 5  1 5 \n");
  double v[6];
  Reader(in, "(e10.3,d10.3,g10.3,2p,f10.3,f9.3,-1p,f5.0)")(v[0])(v[1])(v[2])(v[3])(v[4])(v[5]);
  EXPECT_EQ(v[0], 123.4);
  EXPECT_EQ(v[1], 0.15);
  EXPECT_EQ(v[2], 12.345);
  EXPECT_EQ(v[3], 0.12345);  // 2P divides a field without exponent by 100
  EXPECT_EQ(v[4], 10.0);     // and leaves one with an exponent alone
  EXPECT_EQ(v[5], 50.0);
  Reader(in, "(f6.0,f6.0,f7.0,bz,f5.2,bn,f5.2)")(v[0])(v[1])(v[2])(v[3])(v[4]);
  EXPECT_EQ(v[0], 150.0);
  EXPECT_EQ(v[1], 150.0);
  EXPECT_EQ(v[2], 0.015);
  EXPECT_EQ(v[3], 10.5);  // under BZ the inner and trailing blanks are zeros: 1050
  EXPECT_EQ(v[4], 0.15);
  records::close(in);
}

TEST_F(Read, AllBlankAndSignOnlyRealsAreZero) {
  records::File& in = input("          -   .\n");
  float a = 1, b = 1, c = 1;
  Reader(in, "(f5.2,f5.2,f5.2)")(a)(b)(c);
  EXPECT_EQ(a, 0.0f);
  EXPECT_EQ(b, 0.0f);
  EXPECT_EQ(c, 0.0f);
  records::close(in);
}

TEST_F(Read, WholeLinesAreCutAt255Columns) {
  std::string long_line(300, 'x');
  long_line[254] = 'y';
  records::File& in = input(long_line + "\n");
  Text<255> line;
  Reader(in, "(a255)")(line);
  EXPECT_EQ(line.view().back(), 'y');
  records::close(in);
}

TEST_F(Read, RealsAreRoundedOnceToTheirType) {
  // 0.1 as a float is the float nearest to 1/10, not a double rounded again.
  records::File& in = input("0.1\n0.1\n16777217\n16777217.000000001\n");
  float f;
  double d;
  Reader(in, "(f3.0)")(f);
  Reader(in, "(f3.0)")(d);
  EXPECT_EQ(f, 0.1f);
  EXPECT_EQ(d, 0.1);
  Reader(in, "(f8.0)")(f);
  EXPECT_EQ(f, 16777216.0f);  // halfway case rounds to even
  // Just above halfway: a double keeps too few digits to see it, and rounding that double to
  // single precision would take the halfway case down to 16777216.
  Reader(in, "(f18.0)")(f);
  EXPECT_EQ(f, 16777218.0f);
  records::close(in);
}

TEST_F(Read, TextFieldsNarrowerAndWiderThanTheVariable) {
  records::File& in = input("abcdefghijklmnop\nxyz\n");
  Text<4> four;
  Text<12> twelve;
  Reader(in, "(a6,a6)")(four)(twelve);
  EXPECT_EQ(four.view(), "cdef");          // the rightmost 4 of 6 columns
  EXPECT_EQ(twelve.view(), "ghijkl      "); // 6 columns on the left, blanks after
  Reader(in, "(a)")(twelve);
  EXPECT_EQ(twelve.view(), "xyz         ");
  records::close(in);
}

TEST_F(Read, LayoutRestartsAtItsLastTopLevelGroup) {
  records::File& in = input("    1    2\n  3  4  5\n  6  7  8\n");
  std::int32_t v[8];
  Reader r(in, "(2i5,/,(3i3))");
  for (auto& x : v) r(x);
  r.end();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(v[i], i + 1);
  records::close(in);

  // Without a group the layout starts over at its beginning, on the next line.
  records::File& again = input("1\n2\n3\n");
  std::int32_t a, b, c;
  Reader(again, "(i1)")(a)(b)(c);
  EXPECT_EQ(a + b + c, 6);
  records::close(again);
}

TEST_F(Read, RepeatCountOfTheRestartGroupIsKept) {
  records::File& in = input("h\n1 2 3 4 \n5 6 7 8 \n");
  Text<1> head;
  std::int32_t v[8];
  Reader r(in, "(a1/2(2i2))");
  r(head);
  for (auto& x : v) r(x);
  r.end();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(v[i], i + 1);
  records::close(in);
}

TEST_F(Read, EachReadStartsOnAFreshLineAndSlashesAct) {
  records::File& in = input("1 rest\n2\n3\n4\n5\n");
  std::int32_t a;
  Reader(in, "(i1)")(a).end();  // the rest of line 1 is skipped
  Reader(in, "(i1)")(a).end();
  EXPECT_EQ(a, 2);
  Reader(in, "(i1/)")(a).end();  // the slash after the last item still takes line 4
  EXPECT_EQ(a, 3);
  Reader(in, "(i1)")(a).end();
  EXPECT_EQ(a, 5);
  records::close(in);
}

TEST_F(Read, ReadWithoutItemsTakesOneLine) {
  records::File& in = input("first\nsecond\n");
  { Reader skip(in, "(a255)"); }
  Text<255> line;
  Reader(in, "(a255)")(line);
  EXPECT_EQ(line.trimmed(), "second");
  records::close(in);
}

TEST_F(Read, TabsAndSkips) {
  records::File& in = input("abcdefghij\n");
  Text<2> a, b, c;
  Reader(in, "(t5,a2,tl4,a2,tr2,a2)")(a)(b)(c);
  EXPECT_EQ(a.view(), "ef");
  EXPECT_EQ(b.view(), "cd");
  EXPECT_EQ(c.view(), "gh");
  records::close(in);
}

TEST_F(Read, CarriageReturnEndsTheLine) {
  records::File& in = input("   12\r\nab\r\n");
  std::int32_t a;
  Text<3> t;
  Reader(in, "(i5)")(a);
  Reader(in, "(a3)")(t);
  EXPECT_EQ(a, 12);
  EXPECT_EQ(t.view(), "ab ");
  records::close(in);
}

TEST_F(Read, LastLineWithoutLineEnd) {
  records::File& in = input("    7");
  std::int32_t a;
  Reader(in, "(i5)")(a);
  EXPECT_EQ(a, 7);
  records::close(in);
}

// A list of reals read at once walks the layout once for each run of a repeated item; read
// value by value it walks it item by item. Both must take the same columns of the same lines
// on any layout: groups repeated and restarted, slashes, skips, blank modes, fields cut short
// by commas or by the end of the line.
TEST_F(Read, ListsOfRealsMatchValueByValueOnRandomLayouts) {
  std::mt19937 random(1207);
  const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const auto real_item = [&] {
    const std::string repeat = pick(0, 1) ? std::to_string(pick(1, 12)) : "";
    const std::string width = std::to_string(pick(1, 9));
    return repeat + (pick(0, 3) ? "f" : "e") + width + "." + std::to_string(pick(0, 4));
  };
  const auto any_item = [&]() -> std::string {
    switch (pick(0, 7)) {
      case 0: return std::to_string(pick(1, 5)) + "x";
      case 1: return "/";
      case 2: return pick(0, 1) ? "bz" : "bn";
      case 3: return std::to_string(pick(1, 3)) + "(" + real_item() + "," + real_item() + ")";
      default: return real_item();
    }
  };
  for (int trial = 0; trial < 500; ++trial) {
    std::string layout = "(";
    for (int k = pick(0, 3); k > 0; --k) layout += any_item() + ",";
    layout += real_item() + ")";
    // Digits, blanks and commas only: every field reads as a number.
    std::string text;
    for (int line = 0; line < 300; ++line) {
      for (int c = pick(0, 60); c > 0; --c) text += "0123456789 ,"[pick(0, 11)];
      text += '\n';
    }
    std::vector<float> by_value(static_cast<std::size_t>(pick(0, 40))), at_once(by_value.size());
    {
      records::File& in = input(text);
      Reader read(in, layout);
      for (float& value : by_value) read(value);
      read.end();
      records::close(in);
    }
    {
      records::File& in = input(text);
      Reader read(in, layout);
      read(std::span<float>(at_once));
      read.end();
      records::close(in);
    }
    ASSERT_TRUE(by_value.empty() ||
                std::memcmp(by_value.data(), at_once.data(), by_value.size() * sizeof(float)) == 0)
        << layout << " with " << by_value.size() << " values";
  }
}

// The faults end the run through the diagnostic; these run in a child process.
using ReadDeath = Scratch;

TEST_F(ReadDeath, FaultsEndTheRunWithTheDiagnostic) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto read_int = [&](std::string content, const char* layout) {
    records::File& in = input(content);
    std::int32_t a;
    Reader(in, layout)(a).end();
  };
  EXPECT_EXIT(read_int("", "(i5)"), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 1: end of file\napparent state: unit 10 named .*in.txt\n"
              "last format: \\(i5\\)\nlately reading sequential formatted external IO\n$");
  EXPECT_EXIT(read_int("  1x3\n", "(i5)"), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 1: read unexpected character\n");
  EXPECT_EXIT(read_int("1\n", "(i5,/,i5)"), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 2: end of file\n");
  EXPECT_EXIT(read_int("1\n", "(i5,)"), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 1: error in format\n.*\nlast format: \\(i5,\\)\n");
  EXPECT_EXIT(read_int("1\n", "(f5.1)"), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 1: layout item of the wrong kind");
  EXPECT_EXIT(read_int("1\n", "(x)"), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 1: error in format");
  EXPECT_EXIT(read_int("1\n", "(i5,2000000000(x),i5)"), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 1: error in format");
  EXPECT_EXIT(read_int("1\n", "('ab',i5)"), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 1: error in format");
  EXPECT_EXIT(read_int("99999999999\n", "(i11)"), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 1: integer too large");
}

TEST_F(ReadDeath, DiagnosticNamesALayoutTakenFromTheCache) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto read_again = [&] {
    records::File& in = input("    1\n    2    3\n");
    std::int32_t a, b;
    Reader(in, "(i5)")(a).end();
    Reader(in, "(2i5)")(a)(b).end();
    Reader(in, "(i5)")(a).end();  // parsed before: the cached layout is in use
  };
  EXPECT_EXIT(read_again(), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 3: end of file\n.*\nlast format: \\(i5\\)\n");
}

TEST_F(ReadDeath, MalformedNumbersAreUnexpectedCharacters) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto read_real = [&](std::string content) {
    records::File& in = input(content + "\n");
    double d;
    Reader(in, "(f10.2)")(d);
  };
  for (const char* bad : {"1.5E", "1..5", "E5", "1.5E2x", "1.5x", "+-1", "1\t5", "inf", "nan"}) {
    EXPECT_EXIT(read_real(bad), testing::KilledBySignal(SIGABRT),
                "^formatted read at line 1: read unexpected character\n")
        << bad;
  }
}

TEST_F(ReadDeath, OverlongLineEndsTheRun) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  make("long.txt", std::string((std::size_t{1} << 24) + 1, 'a'));
  auto read_long = [&] {
    records::File& in = records::open(10, path("long.txt"), records::Mode::read);
    Text<1> t;
    Reader(in, "(a1)")(t);
  };
  EXPECT_EXIT(read_long(), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 1: line longer than 16777216 columns\n");
}

TEST_F(ReadDeath, ReadingOneRecordTooManyEndsTheRun) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  records::File& in = input("    1\n");
  std::int32_t a;
  Reader(in, "(i5)")(a);
  EXPECT_EXIT(Reader(in, "(i5)")(a), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 2: end of file\n");
  records::close(in);
}

TEST_F(ReadDeath, RealOutOfRange) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  records::File& in = input("1e39\n");
  float f;
  EXPECT_EXIT(Reader(in, "(e5.0)")(f), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 1: real too large");
  double d;
  Reader(in, "(e5.0)")(d);
  EXPECT_EQ(d, 1e39);
  records::close(in);
}

}  // namespace
}  // namespace records_test
