// Console messages and the fatal stop.
#include <gtest/gtest.h>

#include <string>

#include <csignal>

#include "common/records/records.hpp"
#include "common/records/sstop.hpp"
#include "tests/records/scratch.hpp"

namespace records {
namespace {

std::string printed(std::initializer_list<MessageItem> items) {
  testing::internal::CaptureStdout();
  message(items);
  std::fflush(stdout);
  return testing::internal::GetCapturedStdout();
}

TEST(Message, LeadingBlankTextsAndIntegers) {
  EXPECT_EQ(printed({"USAGE: famlint pedigree_file_name"}),
            " USAGE: famlint pedigree_file_name\n");
  EXPECT_EQ(printed({" Error in data line", 4}), "  Error in data line 4\n");
  EXPECT_EQ(printed({"a  ", -12, 0}), " a   -12 0\n");
  EXPECT_EQ(printed({}), " \n");
  EXPECT_EQ(printed({Text<5>("ab")}), " ab   \n");
}

TEST(Message, RealsInShortestForm) {
  EXPECT_EQ(printed({"x", 0.5f, 0.1f, -2.0f}), " x 0.5 0.1 -2\n");
}

TEST(Message, AnItemThatWouldReachColumn80StartsANewLine) {
  std::string text70(70, 'a');
  // 1 + 70 + 8 = 79 columns: still on the line.
  EXPECT_EQ(printed({text70, "bbbbbbbb"}), " " + text70 + "bbbbbbbb\n");
  // one more column would reach column 80.
  EXPECT_EQ(printed({text70, "bbbbbbbbb"}), " " + text70 + "\n bbbbbbbbb\n");
  EXPECT_EQ(printed({text70, 12345678}), " " + text70 + "\n  12345678\n");
  // A text too long for any line is written whole, never after an empty line.
  std::string text100(100, 'c');
  EXPECT_EQ(printed({text100}), " " + text100 + "\n");
  EXPECT_EQ(printed({text100, 1}), " " + text100 + "\n  1\n");
}

TEST(Compose, PadsPrefixAndNameTo255Characters) {
  Text<255> text = compose("too many alleles in locus ", Text<12>("D1S100").view());
  EXPECT_EQ(text.trimmed(), "too many alleles in locus D1S100");
  EXPECT_EQ(text.view().size(), 255u);
}

using Stop = records_test::Scratch;

TEST_F(Stop, PrintsTheWholeTextAsOneLineClosesFilesAndExitsWithStatus1) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto stop = [&] {
    if (!std::freopen(path("stdout.txt").c_str(), "w", stdout)) std::abort();
    File& out = open(11, path("out.txt"), Mode::write);
    Writer(out, "(a)")("kept").end();
    sstop(compose("incorrect frequencies in marker ", "m1          ").view());
  };
  EXPECT_EXIT(stop(), testing::ExitedWithCode(1), "");
  std::string text = "incorrect frequencies in marker m1";
  EXPECT_EQ(contents("stdout.txt"), " " + text + std::string(255 - text.size(), ' ') + "\n");
  EXPECT_EQ(contents("out.txt"), "kept\n");
}

TEST_F(Stop, MessagesBeforeTheDiagnosticReachStandardOutput) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto fail = [&] {
    if (!std::freopen(path("stdout.txt").c_str(), "w", stdout)) std::abort();
    message({"notice", 3});
    File& in = open(10, path("empty.txt"), Mode::read);
    Reader(in, "(i5)");
  };
  EXPECT_EXIT(fail(), testing::KilledBySignal(SIGABRT), "end of file");
  EXPECT_EQ(contents("stdout.txt"), " notice 3\n");
}

}  // namespace
}  // namespace records
