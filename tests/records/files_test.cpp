// Opening and closing files, and what the diagnostic leaves behind.
#include <csignal>

#include "tests/records/scratch.hpp"

namespace records_test {
namespace {

using records::Reader;
using records::Writer;

using Files = Scratch;

TEST_F(Files, OutputIsCutAfterTheLastWrittenLine) {
  make("out.txt", "an old file much longer than what replaces it\nsecond\nthird\n");
  records::File& out = records::open(11, path("out.txt") + "   ", records::Mode::write);
  Writer(out, "(i5)")(1).end();
  EXPECT_EQ(written(out), "    1\n");
}

TEST_F(Files, NameLosesItsTrailingBlanks) {
  records::Text<255> name(path("named.txt"));
  records::File& out = records::open(11, name.view(), records::Mode::write);
  records::close(out);
  EXPECT_TRUE(std::filesystem::exists(path("named.txt")));
}

using FilesDeath = Scratch;

TEST_F(FilesDeath, MissingInputIsCreatedEmptyAndEndsAtTheFirstRead) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto read_missing = [&] {
    records::File& in = records::open(10, path("missing.txt"), records::Mode::read);
    std::int32_t n;
    Reader(in, "(i5)")(n);
  };
  EXPECT_EXIT(read_missing(), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 1: end of file\napparent state: unit 10 named .*missing.txt\n");
  EXPECT_TRUE(std::filesystem::exists(path("missing.txt")));
  EXPECT_EQ(contents("missing.txt"), "");
}

TEST_F(FilesDeath, DiagnosticFlushesAndClosesEveryOpenFile) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  make("old.txt", "previous content that must not survive behind the new lines\n");
  auto fail_midway = [&] {
    records::File& out = records::open(11, path("old.txt"), records::Mode::write);
    Writer(out, "(i5)")(1).end();
    Writer(out, "(i5)")(2).end();
    records::File& in = records::open(10, make("in.txt", "  x\n"), records::Mode::read);
    std::int32_t n;
    Writer half(out, "(2i5)");
    half(3);  // an unfinished line is not written
    Reader(in, "(i5)")(n);
  };
  EXPECT_EXIT(fail_midway(), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 1: read unexpected character\n");
  EXPECT_EQ(contents("old.txt"), "    1\n    2\n");
}

TEST_F(FilesDeath, UnopenableFilesEndTheRun) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(records::open(11, path("no/such/dir/out.txt"), records::Mode::write),
              testing::KilledBySignal(SIGABRT),
              "^open: can't write file \\(No such file or directory\\)\n"
              "apparent state: unit 11 named .*out.txt\nlast format: \n"
              "lately writing sequential formatted external IO\n$");
  EXPECT_EXIT(records::open(11, path("no/such/dir/in.txt"), records::Mode::read),
              testing::KilledBySignal(SIGABRT), "^open: can't read file");
  auto read_directory = [&] {
    records::File& in = records::open(10, dir_.string(), records::Mode::read);
    Reader(in, "(a1)");
  };
  EXPECT_EXIT(read_directory(), testing::KilledBySignal(SIGABRT),
              "^formatted read at line 1: can't read file \\(Is a directory\\)\n");
}

}  // namespace
}  // namespace records_test
