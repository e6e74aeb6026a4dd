// The words the suite's CLI11 set-up gives for a wrong command line: the tools that print them
// (simcheck, simreps) must never show CLI11's own texts, and the import tools' forms (checked
// by their cases) rest on the same reading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/command_line/suite_options.hpp"

namespace {

struct Tool {
  CLI::App app{"", "tool"};
  long long count = 0;
  std::string name, in, out;
  Tool() {
    command_line::configure(app);
    command_line::add_whole_number(app, "-n,--count", count, 1, 2147483647);
    app.add_option("--name", name);
    app.add_option("IN", in)->required();
    app.add_option("OUT", out)->required();
  }
  // The refusal of `words`, or "" when they are taken.
  std::string refusal(std::vector<const char*> words) {
    words.insert(words.begin(), "tool");
    const outcome::Outcome refused = command_line::parse(app, static_cast<int>(words.size()), words.data());
    return refused ? refused->text : "";
  }
};

TEST(SuiteOptions, WholeNumbersAreDecimalAndWithinTheirRange) {
  for (const char* bad : {"0", "2147483648", "99999999999999999999", "0x10", "+5", "-5", "5x", " 5", ""})
    EXPECT_EQ(Tool().refusal({"-n", bad, "a", "b"}), "-n must be a whole number from 1 to 2147483647") << bad;
  Tool tool;
  EXPECT_EQ(tool.refusal({"--count", "010", "a", "b"}), "");
  EXPECT_EQ(tool.count, 10);
}

TEST(SuiteOptions, OptionsStandInFrontOnceEachWithTheirValueAsGiven) {
  EXPECT_EQ(Tool().refusal({"-n", "1", "-n", "2", "a", "b"}), "-n is given twice");
  EXPECT_EQ(Tool().refusal({"-n1", "a", "b"}), "-n1 is not an option of tool");
  EXPECT_EQ(Tool().refusal({"--help", "a", "b"}), "--help is not an option of tool");
  EXPECT_EQ(Tool().refusal({"-n"}), "-n needs a value");
  EXPECT_EQ(Tool().refusal({"a"}), "OUT is required");
  Tool tool;
  EXPECT_EQ(tool.refusal({"--name", "-x", "-n", "3", "--", "-in", "-out"}), "");
  EXPECT_EQ(tool.name, "-x");
  EXPECT_EQ(tool.in, "-in");
  EXPECT_EQ(tool.out, "-out");
  EXPECT_EQ(Tool().refusal({"a", "-n", "3", "b"}), "too many operands: 3 b");
}

}  // namespace
