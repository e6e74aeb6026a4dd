// The shared raw pedigree reader: number syntax, record and count lines, the 99-character
// reads, and the naming of individuals without an id.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "common/rawped/missing_id.hpp"
#include "common/rawped/number.hpp"
#include "common/rawped/reader.hpp"

namespace {

using rawped::LineParse;
using rawped::PedRecord;
using rawped::ReadStatus;

TEST(ScanInt, AgreesWithTheCLibraryOnRandomText) {
  // The C library's "%i" is the reference for every corner: signs, bases, a bare "0x", digits
  // that end a number early, values past 32 and 64 bits.
  std::mt19937 rng(5);
  const std::string alphabet = "0000111789aAfFgxX+- \t";
  for (int round = 0; round < 200000; ++round) {
    std::string text;
    const std::size_t len = rng() % 26;
    for (std::size_t i = 0; i < len; ++i) text += alphabet[rng() % alphabet.size()];
    int want = 0;
    int used = 0;
    const int got_c = std::sscanf(text.c_str(), "%i%n", &want, &used);
    const char* p = text.c_str();
    std::int32_t value = 0;
    const bool got = rawped::scan_int(p, value);
    ASSERT_EQ(got, got_c == 1) << '"' << text << '"';
    if (got) {
      ASSERT_EQ(value, want) << '"' << text << '"';
      ASSERT_EQ(p - text.c_str(), used) << '"' << text << '"';
    }
  }
}

TEST(ScanInt, TellsWhetherANumberFits32Bits) {
  struct Case {
    const char* text;
    std::int32_t value;
    bool in_range;
  };
  const Case cases[] = {
      {"2147483647", 2147483647, true},    {"2147483648", -2147483647 - 1, false},
      {"-2147483648", -2147483647 - 1, true}, {"-2147483649", 2147483647, false},
      {"0x7fffffff", 2147483647, true},    {"0xffffffff", -1, false},
      {"017777777777", 2147483647, true},  {"020000000000", -2147483647 - 1, false},
      {"4294967297", 1, false},            {"99999999999999999999999", -1, false},
  };
  for (const Case& c : cases) {
    const char* p = c.text;
    std::int32_t value = 0;
    bool in_range = !c.in_range;
    ASSERT_TRUE(rawped::scan_int(p, value, in_range)) << c.text;
    EXPECT_EQ(value, c.value) << c.text;  // the same value as the plain form gives
    EXPECT_EQ(in_range, c.in_range) << c.text;
  }
}

PedRecord parsed(const char* text, LineParse expect = LineParse::read) {
  PedRecord rec{};
  EXPECT_EQ(rawped::parse_record(text, rec), expect) << '"' << text << '"';
  return rec;
}

TEST(ParseRecord, ReadsFieldsUntilOneCannotBeRead) {
  struct Case {
    const char* text;
    std::int32_t id, nfat, nmat, race, sex;
    const char* label;
  };
  const Case cases[] = {
      {"7 0 0 1 2", 7, 0, 0, 1, 2, ""},
      {"31 11 12 0 1 anna", 31, 11, 12, 0, 1, "anna"},
      {"12abc 0 0 1 1", 12, 0, 0, 0, 0, ""},           // stops at the letters
      {"010 0x1A 0X1a -07 +5", 8, 26, 26, -7, 5, ""},   // octal, hexadecimal, signs
      {"08 1 2 3", 0, 8, 1, 2, 3, ""},                 // 8 is no octal digit: two numbers
      {"1,2,3,4,5", 1, 0, 0, 0, 0, ""},                // a comma ends the parse
      {"\t 4\t5  6 1 2\tx7 rest of line", 4, 5, 6, 1, 2, "x7"},
      {"1 2 3 4 5abc", 1, 2, 3, 4, 5, "abc"},          // the label may touch the number
      {"1 2 3 4 5 abcdefghijk", 1, 2, 3, 4, 5, "abcdefg"},  // cut at 7 characters
      {"5 0 0 1 1 a\r\n", 5, 0, 0, 1, 1, "a"},
  };
  for (const Case& c : cases) {
    const PedRecord r = parsed(c.text);
    EXPECT_EQ(r.id, c.id) << c.text;
    EXPECT_EQ(r.nfat, c.nfat) << c.text;
    EXPECT_EQ(r.nmat, c.nmat) << c.text;
    EXPECT_EQ(r.race, c.race) << c.text;
    EXPECT_EQ(r.sex, c.sex) << c.text;
    EXPECT_STREQ(r.label, c.label) << c.text;
  }
}

TEST(ParseRecord, TellsBlankLinesFromLinesWithoutANumber) {
  for (const char* text : {"", "\n", "  \t \r\n"}) parsed(text, LineParse::blank);
  for (const char* text : {"x 1 2", "-", "+x", ",1", "anna 1 0 0 1"}) {
    const PedRecord r = parsed(text, LineParse::not_a_number);
    EXPECT_EQ(r.id, 0);
  }
}

TEST(ParseRecord, RefusesNumbersPast32Bits) {
  // Kept, 4294967301 would become 5: another individual's id.
  PedRecord r = parsed("7 4294967301 3 1 1", LineParse::too_big);
  EXPECT_EQ(r.id, 7);
  parsed("2147483648 0 0 1 1", LineParse::too_big);
  parsed("5 0 0 1 -2147483649", LineParse::too_big);
  std::int32_t numax = 3;
  EXPECT_EQ(rawped::parse_count("4294967297\n", numax), LineParse::too_big);
  EXPECT_EQ(numax, 3);
  EXPECT_EQ(rawped::failure_text(ReadStatus::too_big, "pe0.wrk", 9),
            "pe0.wrk line 9: a number outside the range of 32-bit integers "
            "(-2147483648 to 2147483647)\n");
  EXPECT_EQ(rawped::failure_text(ReadStatus::file_ended, "pe0.wrk", 9), "error reading input data\n");
}

TEST(ParseCount, ReadsTheNumberAndIgnoresTheRest) {
  std::int32_t numax = 77;
  EXPECT_EQ(rawped::parse_count("  120 records\n", numax), LineParse::read);
  EXPECT_EQ(numax, 120);
  EXPECT_EQ(rawped::parse_count(" \t\n", numax), LineParse::blank);
  EXPECT_EQ(numax, 120);
  EXPECT_EQ(rawped::parse_count("records: 120\n", numax), LineParse::not_a_number);
  EXPECT_EQ(rawped::parse_count("-5\n", numax), LineParse::read);
  EXPECT_EQ(numax, -5);
}

// A reader over `text`, which may hold NUL bytes.
struct Source {
  explicit Source(const std::string& text) : data(text) {
    file = fmemopen(data.data(), data.size(), "r");
  }
  ~Source() { std::fclose(file); }
  std::string data;
  std::FILE* file;
};

TEST(RawReader, SplitsLongLinesAfter99Characters) {
  // 98 characters of content and the line end fit one read; a 99th character pushes the line
  // end into a read of its own (a blank record); 150 characters give two records.
  const std::string fits = "1 0 0 1 1 " + std::string(88, 'L');
  const std::string over = "2 0 0 1 1 " + std::string(89, 'L');
  const std::string two = "3 0 0 1 1 " + std::string(89, 'L') + "4 0 0 2 2 tail" + std::string(37, ' ');
  ASSERT_EQ(fits.size(), 98u);
  Source src("title\n5\n" + fits + "\n" + over + "\n" + two + "\n");
  rawped::RawReader reader(src.file);
  std::int32_t numax = 0;
  ASSERT_EQ(reader.skip_lines(1), ReadStatus::ok);
  ASSERT_EQ(reader.read_count(numax), ReadStatus::ok);
  EXPECT_EQ(numax, 5);
  const std::int32_t ids[] = {1, 2, 0, 3, 4};
  const long lines[] = {3, 4, 4, 5, 5};
  for (int i = 0; i < 5; ++i) {
    PedRecord rec{};
    ASSERT_EQ(reader.read_record(rec), ReadStatus::ok) << i;
    EXPECT_EQ(rec.id, ids[i]) << i;
    EXPECT_EQ(reader.line(), lines[i]) << i;
  }
  PedRecord rec{};
  EXPECT_EQ(reader.read_record(rec), ReadStatus::file_ended);
}

TEST(RawReader, ReportsEachWayAFileCanFail) {
  {
    Source src("");
    rawped::RawReader reader(src.file);
    EXPECT_EQ(reader.skip_lines(1), ReadStatus::no_descriptive_line);
  }
  {
    Source src("title only");
    rawped::RawReader reader(src.file);
    std::int32_t numax = 0;
    EXPECT_EQ(reader.skip_lines(1), ReadStatus::ok);
    EXPECT_EQ(reader.read_count(numax), ReadStatus::file_ended);
  }
  {
    // A NUL byte ends what the parse sees of its line, not the line itself.
    const char text[] = "t\n2\n5 0\0 9 9 9\n6 0 0 1 2";
    Source src(std::string(text, sizeof text - 1));
    rawped::RawReader reader(src.file);
    std::int32_t numax = 0;
    PedRecord a{}, b{}, c{};
    EXPECT_EQ(reader.skip_lines(1), ReadStatus::ok);
    EXPECT_EQ(reader.read_count(numax), ReadStatus::ok);
    EXPECT_EQ(reader.read_record(a), ReadStatus::ok);
    EXPECT_EQ(a.id, 5);
    EXPECT_EQ(a.nmat, 0);
    EXPECT_EQ(reader.read_record(b), ReadStatus::ok);
    EXPECT_EQ(b.sex, 2);  // the last line may lack its line end
    EXPECT_EQ(reader.line(), 4);
    EXPECT_EQ(reader.read_record(c), ReadStatus::file_ended);
  }
  {
    Source src("t\nthree\n");
    rawped::RawReader reader(src.file);
    std::int32_t numax = 0;
    EXPECT_EQ(reader.skip_lines(1), ReadStatus::ok);
    EXPECT_EQ(reader.read_count(numax), ReadStatus::not_a_number);
  }
  EXPECT_STREQ(rawped::message(ReadStatus::no_descriptive_line), "error reading descriptive data\n");
  EXPECT_STREQ(rawped::message(ReadStatus::file_ended), "error reading input data\n");
  EXPECT_STREQ(rawped::message(ReadStatus::not_a_number), "error reading data from input file\n");
  EXPECT_EQ(rawped::no_memory_message(-5), "numax=-5; not enough memory. Sorry...");
}

TEST(MissingIdNamer, NamesRecordsWithoutAnIdInFileOrder) {
  rawped::MissingIdNamer namer;
  const std::int32_t raw[] = {12, 0, -1, 0, 7, 0};
  const std::int32_t want[] = {12, -1, -1, -2, 7, -3};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(namer.name(raw[i]), want[i]) << i;
}

}  // namespace
