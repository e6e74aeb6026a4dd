// The few distributions simcheck tests against, in double precision from the standard library.
#pragma once

#include <cstdint>

namespace simcheck {

// P(X > x) for X chi-square with `df` degrees of freedom (df >= 1); 1 for x <= 0.
double chi_square_upper(double x, int df);

// P(Z > z) for a standard normal Z.
double normal_upper(double z);

// The p quantile of the standard normal, 0 < p < 1.
double normal_quantile(double p);

// A binomial proportion k of n with its 95% (Wilson score) interval; 0..1 when n is 0.
struct Proportion {
  double value = 0, low = 0, high = 1;
};
Proportion wilson(std::int64_t k, std::int64_t n);

}  // namespace simcheck
