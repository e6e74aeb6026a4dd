#include "xp-trait/phenotype_file.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

TEST(Phenotypes, TakeOnlyDecimalNumbers) {
  for (const char* good : {"1", "-1", "+1", "1.", ".5", "-.5", "12.346", "1e5", "1E+05", "-2.5e-1", "0", "-0"}) {
    EXPECT_TRUE(xptrait::is_decimal(good)) << good;
  }
  for (const char* bad : {"", "+", "-", ".", "e5", "1e", "1e+", "1.5.2", "1,5", "*********", "inf", "nan",
                          "0x1p3", "1d5", "--1", "1 "}) {
    EXPECT_FALSE(xptrait::is_decimal(bad)) << bad;
  }
}

// Every value read must land where a single rounding of its decimal text puts it; a value
// that went through double first could land one step off.
TEST(Phenotypes, RoundOnceToSinglePrecision) {
  // Halfway between the floats 1 and 1 + 2^-23, plus a hair: rounds up only when rounded once.
  const std::string text = "1.00000005960464477539062500000000001";
  char name[] = "/tmp/xp-trait-round-XXXXXX";
  const int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  std::FILE* file = fdopen(fd, "w+");
  std::fputs(("1\n" + text + "\n").c_str(), file);
  std::rewind(file);
  freeform::ItemStream in(file);
  std::int32_t count = 0;
  ASSERT_FALSE(xptrait::read_phenotype_count(in, "ph", count));
  float value = 0;
  ASSERT_FALSE(xptrait::read_phenotype(in, "ph", 1, value));
  EXPECT_EQ(value, 1.0f + 0x1p-23f);
  std::fclose(file);
  std::remove(name);
}

}  // namespace
