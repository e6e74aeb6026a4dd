// The distributions behind every flag, against values from published tables: a wrong tail
// would raise flags on sound simulations or hide faults.
#include <gtest/gtest.h>

#include <cmath>

#include "simcheck/statistics.hpp"

using namespace simcheck;

TEST(Statistics, ChiSquareTailsMatchTables) {
  // Both branches (series below a + 1, continued fraction above) and far tails.
  EXPECT_NEAR(chi_square_upper(3.841458820694124, 1), 0.05, 1e-12);
  EXPECT_NEAR(chi_square_upper(6.634896601021214, 1), 0.01, 1e-12);
  EXPECT_NEAR(chi_square_upper(18.307038053275146, 10), 0.05, 1e-12);
  EXPECT_NEAR(chi_square_upper(2.0, 2), std::exp(-1.0), 1e-14);
  EXPECT_NEAR(chi_square_upper(100.0, 2), std::exp(-50.0), 1e-30);
  EXPECT_NEAR(chi_square_upper(1000.0, 1000), 0.49405285382924, 1e-11);
  EXPECT_DOUBLE_EQ(chi_square_upper(0.0, 3), 1.0);
  EXPECT_DOUBLE_EQ(chi_square_upper(-1.0, 3), 1.0);
}

TEST(Statistics, NormalQuantileInvertsTheTail) {
  EXPECT_NEAR(normal_quantile(0.975), 1.959963984540054, 1e-12);
  EXPECT_NEAR(normal_quantile(0.5), 0.0, 1e-15);
  EXPECT_NEAR(normal_quantile(1e-10), -6.361340902404056, 1e-9);
  for (double p : {1e-12, 0.001, 0.02, 0.3, 0.9, 0.99999})
    EXPECT_NEAR(normal_upper(-normal_quantile(p)), p, p * 1e-10);
}

TEST(Statistics, WilsonIntervalStaysInsideZeroToOne) {
  const Proportion none = wilson(0, 100);
  EXPECT_EQ(none.value, 0.0);
  EXPECT_EQ(none.low, 0.0);
  EXPECT_NEAR(none.high, 0.036994, 1e-5);
  const Proportion all = wilson(20, 20);
  EXPECT_EQ(all.high, 1.0);
  EXPECT_NEAR(all.low, 0.838875, 1e-5);
  const Proportion half = wilson(50, 100);
  EXPECT_NEAR(half.low, 0.403832, 1e-5);
  EXPECT_NEAR(half.high, 0.596168, 1e-5);
}
