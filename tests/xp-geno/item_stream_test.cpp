#include "common/freeform/item_stream.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/xp-geno/temp_file.hpp"

namespace {

using freeform::ItemStream;

struct Expected {
  std::string text;
  std::int64_t line;
};

// Items and separators of every kind, long enough to cross the stream's 64 KiB buffer many
// times, so that items and line ends fall on its edges.
TEST(ItemStream, ReadsItemsAndTheirLinesAcrossBufferEdges) {
  std::mt19937 random(12345);
  const std::string separators = " \t\r\n\v\f";
  // A first line far longer than the buffer, holding what would look like items.
  std::string text(70000, 'x');
  text += " 1 2 3\n";
  std::vector<Expected> expected;
  std::int64_t line = 2;
  for (int i = 0; i < 60000; ++i) {
    std::string item;
    const int length = 1 + static_cast<int>(random() % 30);
    for (int c = 0; c < length; ++c) item += static_cast<char>('!' + random() % 90);
    expected.push_back({item, line});
    text += item;
    const int gaps = 1 + static_cast<int>(random() % 3);
    for (int g = 0; g < gaps; ++g) {
      const char s = separators[random() % separators.size()];
      text += s;
      if (s == '\n') ++line;
    }
  }
  TempFile file(text);
  ItemStream in(file.file);
  char first[255];
  ASSERT_EQ(in.first_line(first), ItemStream::Status::item);
  EXPECT_EQ(std::string(first), std::string(254, 'x'));
  char item[64];
  std::size_t length = 0;
  for (const auto& e : expected) {
    ASSERT_EQ(in.next(item, length), ItemStream::Status::item);
    ASSERT_EQ(std::string(item, length), e.text);
    ASSERT_EQ(in.item_line(), e.line);
  }
  EXPECT_EQ(in.next(item, length), ItemStream::Status::end_of_file);
}

// An item that fills the buffer exactly is too long by one (the buffer keeps its NUL); the
// item after a refused one still reads whole.
TEST(ItemStream, RefusesItemsAtTheBufferLimit) {
  TempFile file("first\nabcd abcde abcdefghijklmnop z\n");
  ItemStream in(file.file);
  char first[8];
  ASSERT_EQ(in.first_line(first), ItemStream::Status::item);
  char item[5];
  std::size_t length = 0;
  EXPECT_EQ(in.next(item, length), ItemStream::Status::item);
  EXPECT_EQ(std::string(item, length), "abcd");
  EXPECT_EQ(in.next(item, length), ItemStream::Status::too_long);
  EXPECT_EQ(std::string(item), "abcd");
  EXPECT_EQ(in.next(item, length), ItemStream::Status::too_long);
  EXPECT_EQ(in.next(item, length), ItemStream::Status::item);
  EXPECT_EQ(std::string(item, length), "z");
  EXPECT_EQ(in.item_line(), 2);
}

TEST(ItemStream, TellsLineEndsAndLineCounts) {
  {
    TempFile file("head\n a b \t\r\nc\n\n");
    ItemStream in(file.file);
    char first[8];
    char item[8];
    std::size_t length = 0;
    ASSERT_EQ(in.first_line(first), ItemStream::Status::item);
    ASSERT_EQ(in.next(item, length), ItemStream::Status::item);
    EXPECT_FALSE(in.line_ends());
    ASSERT_EQ(in.next(item, length), ItemStream::Status::item);
    EXPECT_TRUE(in.line_ends());
    ASSERT_EQ(in.next(item, length), ItemStream::Status::item);
    EXPECT_EQ(in.item_line(), 3);
    EXPECT_EQ(in.next(item, length), ItemStream::Status::end_of_file);
    EXPECT_EQ(in.lines_read(), 4);
  }
  {
    TempFile file("head\nlast line without end");
    ItemStream in(file.file);
    char first[8];
    char item[8];
    std::size_t length = 0;
    ASSERT_EQ(in.first_line(first), ItemStream::Status::item);
    EXPECT_EQ(std::string(first), "head");
    while (in.next(item, length) == ItemStream::Status::item) {
    }
    EXPECT_EQ(in.lines_read(), 2);
  }
  {
    TempFile file("");
    ItemStream in(file.file);
    char first[8];
    EXPECT_EQ(in.first_line(first), ItemStream::Status::end_of_file);
    EXPECT_EQ(in.lines_read(), 0);
  }
}

TEST(ItemStream, ReportsAFileThatCannotBeRead) {
  // A folder opens for reading but cannot be read.
  std::FILE* folder = std::fopen("/", "r");
  ASSERT_NE(folder, nullptr);
  ItemStream in(folder);
  char first[8];
  EXPECT_EQ(in.first_line(first), ItemStream::Status::unreadable);
  std::fclose(folder);
}

TEST(WholeInt, TakesOnlyItemsThatAreOneNumber) {
  struct Case {
    std::string item;
    bool is_number;
    std::int32_t value;
  };
  const Case cases[] = {
      {"12", true, 12},   {"-12", true, -12},     {"+7", true, 7},       {"010", true, 8},
      {"0x1A", true, 26}, {"-0X10", true, -16},  {"0", true, 0},        {"08", false, 0},
      {"12abc", false, 0}, {"1.5", false, 0},    {"+", false, 0},       {"-", false, 0},
      {"x1", false, 0},   {"0xg", false, 0},     {std::string("1\0" "2", 3), false, 0},
  };
  for (const auto& c : cases) {
    std::int32_t value = -99;
    EXPECT_EQ(freeform::whole_int(c.item, value), c.is_number) << c.item;
    if (c.is_number) {
      EXPECT_EQ(value, c.value) << c.item;
    }
  }
}

}  // namespace
