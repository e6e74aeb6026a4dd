// Writing records: field forms, asterisks, skips that write nothing, texts and restarts.
#include <cmath>
#include <csignal>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "tests/records/scratch.hpp"

namespace records_test {
namespace {

using records::Text;
using records::Writer;

using Write = Scratch;

TEST_F(Write, GenotypeFileLines) {
  records::File& out = output();
  Writer(out, "(2i5)")(3)(3).end();
  Writer(out, "(1000a12)")(Text<12>("m1"))(Text<12>("qtl2"))(Text<12>("abcdefghijkl")).end();
  Writer(out, "(1000(6x,2i3))")(3)(10)(1)(2).end();
  Writer(out, "(1000(6x,2i3))").end();  // no loci: an empty line, not six blanks
  EXPECT_EQ(written(out),
            "    3    3\n"
            "m1          qtl2        abcdefghijkl\n"
            "        3 10        1  2\n"
            "\n");
}

TEST_F(Write, TraceLines) {
  records::File& out = output();
  Writer(out, "(5i3,a12,1000i6)")(1)(1000)(0)(0)(1)(Text<12>("  7"))(4)(12).end();
  Writer(out, "(27x,1000f6.3)")(0.5f)(0.25f).end();
  Writer(out, "(27x,1000f6.3)").end();
  EXPECT_EQ(written(out),
            "  1***  0  0  1  7              4    12\n"
            "                            0.500 0.250\n"
            "\n");
}

TEST_F(Write, IntegerFields) {
  records::File& out = output();
  Writer(out, "(i5,i5,i5,i5,i3)")(100000)(-1234)(-12345)(0)(-2147483647 - 1).end();
  Writer(out, "(i5.3,i4.0,sp,i3,ss,i3)")(7)(0)(5)(5).end();
  EXPECT_EQ(written(out), "*****-1234*****    0***\n  007     +5  5\n");
}

TEST_F(Write, FixedFields) {
  records::File& out = output();
  Writer(out, "(f6.3,f6.3,f6.3,f5.3,f4.3,f6.3,f6.3)")
      (0.5f)(123.456f)(-0.5f)(-0.5f)(-0.5f)(-0.0001f)(-0.0f).end();
  Writer(out, "(f9.3,f9.3,f9.3,f9.3,f9.3)")(5.25f)(0.0f)(12.5f)(-0.5f)(-99999.9999).end();
  Writer(out, "(f4.0,f2.0,f1.0,f6.2)")(2.5)(0.4)(0.4)(9.995).end();
  EXPECT_EQ(written(out),
            " 0.500******-0.500-.500**** 0.000 0.000\n"
            "    5.250    0.000   12.500   -0.500*********\n"
            "  2.0.*  9.99\n");
}

TEST_F(Write, FloatsAreRoundedFromTheirExactValue) {
  // 0.3335f is 0.33349999785..., the double 0.3335 is 0.33350000000000001865...; an exact
  // tie such as 0.0625 rounds to even, as printf does.
  records::File& out = output();
  Writer(out, "(3f6.3)")(0.3335f)(0.3335)(0.0625f).end();
  EXPECT_EQ(written(out), " 0.333 0.334 0.062\n");
}

TEST_F(Write, ManyDecimalsShowTheExactBinaryValue) {
  records::File& out = output();
  Writer(out, "(f30.20)")(0.1).end();
  Writer(out, "(f1000000.999990)")(1.5).end();
  std::string text = written(out);
  EXPECT_EQ(text.substr(0, 31), "        0.10000000000000000555\n");
  ASSERT_EQ(text.size(), 31u + 1000001u);
  EXPECT_EQ(text.substr(31, 12), "        1.50");
}

TEST_F(Write, ExponentFields) {
  records::File& out = output();
  Writer(out, "(e12.4,e12.4,e10.4,e9.4,e8.4)")(1.234)(0.0)(1.234)(1.234)(1.234).end();
  Writer(out, "(e12.4,e12.4,e12.3,d10.2,e12.3e3,e9.3e1)")(-1.234e-5)(1e100)(9.9996)(-5.0)(2e10)(2e10).end();
  EXPECT_EQ(written(out),
            "  0.1234E+01  0.0000E+000.1234E+01.1234E+01********\n"
            " -0.1234E-04  0.1000+101   0.100E+02 -0.50D+01  0.200E+011*********\n");
}

TEST_F(Write, SpecialValues) {
  records::File& out = output();
  double inf = std::numeric_limits<double>::infinity();
  Writer(out, "(f9.3,f5.1,f3.0,f9.3,f2.0)")(inf)(-inf)(std::nan(""))(-inf)(inf).end();
  EXPECT_EQ(written(out), " Infinity -InfNaN-Infinity**\n");
}

TEST_F(Write, TextFields) {
  records::File& out = output();
  Writer(out, "(a5,a2,a,a3)")("ab")("abcd")(Text<4>("xy"))("").end();
  EXPECT_EQ(written(out), "   ababxy     \n");
}

TEST_F(Write, SkipsWriteBlanksOnlyUnderALaterItem) {
  records::File& out = output();
  Writer(out, "(i2,5x)")(12).end();
  Writer(out, "(3x,i2,2x)")(12).end();
  Writer(out, "(a5,t2,a2,tr3,a1,tl1,a1)")("abcde")("XY")("z")("w").end();
  EXPECT_EQ(written(out), "12\n   12\naXYde w\n");
}

TEST_F(Write, QuotedTextsAndSlashesBeforeTheNextDataItem) {
  records::File& out = output();
  Writer(out, "('N =',i3,' done',/,i3)")(5).end();  // the text and slash before the second i3
  Writer(out, "('a',/,'b',i2,'c')").end();          // no value: stops before the i2
  Writer(out, "(i2,:,' never')")(1).end();          // the colon stops a list that is used up
  Writer(out, "(\"it's\",2h x)").end();
  EXPECT_EQ(written(out), "N =  5 done\n\na\nb\n 1\nit's x\n");
}

TEST_F(Write, LayoutRestarts) {
  records::File& out = output();
  Writer w(out, "(2i3)");
  for (int i = 1; i <= 5; ++i) w(i);
  w.end();
  Writer(out, "(i1,2(i2,i3))")(1)(2)(3)(4)(5)(6)(7)(8)(9).end();
  EXPECT_EQ(written(out), "  1  2\n  3  4\n  5\n1 2  3 4  5\n 6  7 8  9\n");
}

// A list of integers written in runs takes whole repetitions of a group of skips and I fields
// at once; written value by value it walks the layout item by item. Both must give the same
// bytes on any layout: groups nested, repeated, restarted on new lines, after left tabs.
TEST_F(Write, RunsOfIntegersMatchValueByValueOnRandomLayouts) {
  std::mt19937 random(16);
  const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const auto integer_item = [&] {
    std::string item = (pick(0, 2) == 0 ? std::to_string(pick(1, 3)) : "") + "i" + std::to_string(pick(1, 5));
    return pick(0, 3) == 0 ? item + "." + std::to_string(pick(0, 3)) : item;
  };
  const auto any_item = [&] {
    switch (pick(0, 9)) {
      case 0: return std::to_string(pick(1, 7)) + "x";
      case 1: return "tl" + std::to_string(pick(1, 9));
      case 2: return "t" + std::to_string(pick(1, 30));
      case 3: return std::string("/");
      case 4: return std::string("'ab'");
      case 5: return std::to_string(pick(1, 3)) + "(" + std::to_string(pick(1, 3)) + "x," + integer_item() + ")";
      default: return integer_item();
    }
  };
  const auto group = [&](bool flat) {
    std::string body;
    for (int k = pick(1, 3); k > 0; --k) {
      body += (flat ? (pick(0, 2) == 0 ? std::to_string(pick(1, 6)) + "x" : integer_item()) : any_item()) + ",";
    }
    return std::to_string(pick(1, 4)) + "(" + body + integer_item() + ")";
  };
  for (int trial = 0; trial < 1000; ++trial) {
    std::string layout = "(";
    for (int k = pick(0, 3); k > 0; --k) layout += (pick(0, 1) ? any_item() : group(pick(0, 2) > 0)) + ",";
    layout += group(pick(0, 2) > 0) + ")";
    std::vector<std::int32_t> values(static_cast<std::size_t>(pick(0, 40)));
    for (auto& v : values) v = pick(0, 9) == 0 ? pick(-100000, 100000) : pick(0, 999);
    records::File& out = output();
    {
      Writer write(out, layout);
      for (std::int32_t v : values) write(v);
      write.end();
    }
    const std::string by_value = written(out);
    records::File& again = output();
    {
      Writer write(again, layout);
      std::span<const std::int32_t> rest(values);
      while (!rest.empty()) {
        const std::size_t n = std::min<std::size_t>(rest.size(), static_cast<std::size_t>(pick(1, 12)));
        write(rest.first(n));
        rest = rest.subspan(n);
      }
      write.end();
    }
    ASSERT_EQ(written(again), by_value) << layout << " with " << values.size() << " values";
  }
}

TEST_F(Write, OnlyEndedRecordsReachTheFile) {
  // A Writer dropped in mid-record (a fault unwinding past it, in a build that survives
  // faults) leaves its whole lines and no half line for the next record to run into.
  records::File& out = output();
  Writer(out, "(i3)")(1).end();
  { Writer(out, "(i3,'x'/i3)")(7)(8); }
  Writer(out, "(i3)")(2).end();
  EXPECT_EQ(written(out), "  1\n  7x\n  2\n");
}

using WriteDeath = Scratch;

TEST_F(WriteDeath, FaultsEndTheRunWithTheDiagnostic) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto write_int = [&](const char* layout) {
    records::File& out = output();
    Writer(out, layout)(1).end();
  };
  EXPECT_EXIT(write_int("(f5.1)"), testing::KilledBySignal(SIGABRT),
              "^formatted write at line 1: layout item of the wrong kind.*\n"
              "lately writing sequential formatted external IO\n$");
  EXPECT_EXIT(write_int("('no data')"), testing::KilledBySignal(SIGABRT),
              "^formatted write at line 1: error in format\n");
  EXPECT_EXIT(write_int("(1000000x,1000000x,20(1000000x),i5)"), testing::KilledBySignal(SIGABRT),
              "^formatted write at line 1: line longer");
  EXPECT_EXIT(write_int("(i5"), testing::KilledBySignal(SIGABRT),
              "^formatted write at line 1: error in format\n.*\nlast format: \\(i5\n");
}

TEST_F(WriteDeath, FullDeviceIsReportedAtClose) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  auto fill = [] {
    records::File& out = records::open(12, "/dev/full", records::Mode::write);
    Writer(out, "(i5)")(1).end();
    records::close(out);
  };
  // A full disk is no fault of the data: status 1, not the abort signal, with the lines that
  // say where the write failed.
  EXPECT_EXIT(fill(), testing::ExitedWithCode(1),
              "^close: can't write file \\(No space left on device\\)\n"
              "apparent state: unit 12 named /dev/full\n");
}

}  // namespace
}  // namespace records_test
