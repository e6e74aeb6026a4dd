// The exact shortcuts for F fields against the library's conversions: the bytes of every file
// that writes reals depend on the two agreeing, rounding ties included, and every real read
// from a file on the shortcut of reading giving the correctly rounded value.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "common/records/fields.hpp"

namespace records_test {
namespace {

// Writes `value` both ways into `width` columns; fails the test with the value when the bytes
// differ or when the shortcut declines a field it should take.
::testing::AssertionResult same_both_ways(int width, int decimals, bool plus, double value) {
  static std::string scratch;
  char fast[64], general[64];
  if (!records::write_fixed_exact(fast, width, decimals, plus, value)) {
    return ::testing::AssertionFailure() << "shortcut declined F" << width << "." << decimals;
  }
  records::write_fixed_general(general, width, decimals, plus, value, scratch);
  const std::string a(fast, static_cast<std::size_t>(width)), b(general, static_cast<std::size_t>(width));
  if (a == b) return ::testing::AssertionSuccess();
  char exact[64];
  std::snprintf(exact, sizeof exact, "%.25g", value);
  return ::testing::AssertionFailure() << "F" << width << "." << decimals << (plus ? " SP" : "")
                                       << " of " << exact << ": shortcut '" << a
                                       << "', general '" << b << "'";
}

// Writes `values` as one run of Fw.3 fields and each value by the general path; fails with
// the first value whose bytes differ.
::testing::AssertionResult run_same_as_general(int width, const std::vector<float>& values) {
  static std::string scratch;
  std::vector<char> run(values.size() * static_cast<std::size_t>(width));
  records::write_fixeds(run.data(), width, 3, false, values, scratch);
  char general[64];
  for (std::size_t i = 0; i < values.size(); ++i) {
    records::write_fixed_general(general, width, 3, false, static_cast<double>(values[i]), scratch);
    const std::string a(run.data() + i * static_cast<std::size_t>(width), static_cast<std::size_t>(width));
    const std::string b(general, static_cast<std::size_t>(width));
    if (a != b) {
      return ::testing::AssertionFailure() << "F" << width << ".3 run of " << values[i]
                                           << ": '" << a << "', general '" << b << "'";
    }
  }
  return ::testing::AssertionSuccess();
}

// Every deviate the generator can give in 24 bits, and so every trace-file field, one by one
// and in runs; the runs also over the same fractions times 16, past 10 where a second digit
// comes before the point, with denormals and negative values among them.
TEST(FixedShortcut, EveryTwentyFourBitFractionUnderF6_3) {
  constexpr std::uint32_t n = 1u << 24;
  std::vector<float> batch, scaled;
  for (std::uint32_t k = 0; k < n; ++k) {
    const float u = static_cast<float>(k) / static_cast<float>(n);
    ASSERT_TRUE(same_both_ways(6, 3, false, static_cast<double>(u)));
    batch.push_back(u);
    if (k % 5 == 0) scaled.push_back(u * 16);
    if (batch.size() == 4096 || k + 1 == n) {
      ASSERT_TRUE(run_same_as_general(6, batch));
      ASSERT_TRUE(run_same_as_general(7, scaled));
      batch.clear();
      scaled.clear();
    }
  }
  const std::vector<float> edges = {0.0f, -0.0f, 0x1p-149f, 0x1p-126f, 0x1p-41f, 0x1p-40f,
                                    0.0005f, -0.0005f, -0.25f, 9.9995f, 9.99949f, 10.0f,
                                    99.9995f, 1000.0f, INFINITY, -INFINITY, NAN};
  for (int width = 5; width <= 9; ++width) ASSERT_TRUE(run_same_as_general(width, edges));
}

TEST(FixedShortcut, RandomValuesUnderOtherWidths) {
  std::mt19937_64 random(20261207);
  std::uniform_int_distribution<int> width_of(1, records::max_exact_width);
  std::uniform_int_distribution<int> decimals_of(1, records::max_exact_decimals);
  std::uniform_int_distribution<int> kind_of(0, 3);
  std::uniform_int_distribution<std::int64_t> integer(-(std::int64_t{1} << 40), std::int64_t{1} << 40);
  std::uniform_int_distribution<int> exponent(-60, 12);  // below 2^53, the shortcut's range
  for (int trial = 0; trial < 1'000'000; ++trial) {
    const int width = width_of(random);
    const int decimals = decimals_of(random);
    double value = 0;
    switch (kind_of(random)) {
      case 0:  // any float of moderate size, as the simulators hold their reals
        value = static_cast<double>(std::ldexp(static_cast<float>(integer(random) >> 16), exponent(random)));
        break;
      case 1:  // any double of moderate size
        value = std::ldexp(static_cast<double>(integer(random)), exponent(random));
        break;
      case 2:  // exact ties: odd multiples of 2^-(decimals + 1) lie halfway between two outputs
        value = std::ldexp(static_cast<double>(integer(random) >> 20), -(decimals + 1));
        break;
      default:  // tiny values, negative ones among them: signs of values that print as zero
        value = std::ldexp(static_cast<double>(integer(random)), -100 - (exponent(random) + 60) * 8);
        break;
    }
    // Beyond 19 digits the shortcut hands the value on, as it may.
    if (std::fabs(value) * std::pow(10.0, decimals) >= 1e19) continue;
    ASSERT_TRUE(same_both_ways(width, decimals, trial % 7 == 0, value));
  }
}

// Reading takes a shortcut too, for fields of few digits: it must give the value the
// library's correctly rounded conversion gives.
TEST(FixedShortcut, ReadingShortFieldsAgreesWithTheLibrary) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> length_of(1, 9), digit(0, 9), point_of(0, 10), decimals_of(0, 12);
  std::string scratch;
  for (int trial = 0; trial < 300'000; ++trial) {
    std::string field = trial % 5 == 0 ? "-" : "";
    const int length = length_of(random), point = point_of(random);
    for (int k = 0; k < length; ++k) {
      if (k == point) field += '.';
      field += static_cast<char>('0' + digit(random));
    }
    const int decimals = decimals_of(random);
    float f = 0;
    double d = 0;
    ASSERT_EQ(records::read_real(field, decimals, 0, false, scratch, f), records::FieldStatus::ok);
    ASSERT_EQ(records::read_real(field, decimals, 0, false, scratch, d), records::FieldStatus::ok);
    // The same value written out in full and converted by the library.
    const bool has_point = field.find('.') != std::string::npos;
    const std::string text = field + (has_point ? "" : "e-" + std::to_string(decimals));
    ASSERT_EQ(f, std::strtof(text.c_str(), nullptr)) << field << " F." << decimals;
    ASSERT_EQ(d, std::strtod(text.c_str(), nullptr)) << field << " F." << decimals;
  }
}

TEST(FixedShortcut, DeclinesWhatItDoesNotCover) {
  char out[64];
  EXPECT_FALSE(records::write_fixed_exact(out, 6, 0, false, 1.0));
  EXPECT_FALSE(records::write_fixed_exact(out, 20, 10, false, 1.0));
  EXPECT_FALSE(records::write_fixed_exact(out, records::max_exact_width + 1, 3, false, 1.0));
  EXPECT_FALSE(records::write_fixed_exact(out, 30, 3, false, 0x1p53));
  EXPECT_FALSE(records::write_fixed_exact(out, 30, 3, false, INFINITY));
  EXPECT_FALSE(records::write_fixed_exact(out, 30, 3, false, NAN));
}

}  // namespace
}  // namespace records_test
