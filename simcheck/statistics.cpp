#include "simcheck/statistics.hpp"

#include <cmath>
#include <numbers>

namespace simcheck {
namespace {

// The regularised lower incomplete gamma P(a, x) by its power series, for x < a + 1, where
// the series converges fast.
double gamma_lower_series(double a, double x) {
  double term = 1.0 / a, sum = term;
  for (int n = 1; n < 100000; ++n) {
    term *= x / (a + n);
    sum += term;
    if (std::fabs(term) < std::fabs(sum) * 1e-16) break;
  }
  return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

// The regularised upper incomplete gamma Q(a, x) by Lentz's continued fraction, for
// x >= a + 1; it keeps tail probabilities far below 1e-16 exact, which the flags need
// when thousands of tests share one level.
double gamma_upper_fraction(double a, double x) {
  const double tiny = 1e-300;
  double b = x + 1.0 - a, c = 1.0 / tiny, d = 1.0 / b, h = d;
  for (int i = 1; i < 100000; ++i) {
    const double an = -i * (i - a);
    b += 2.0;
    d = an * d + b;
    if (std::fabs(d) < tiny) d = tiny;
    c = b + an / c;
    if (std::fabs(c) < tiny) c = tiny;
    d = 1.0 / d;
    const double delta = d * c;
    h *= delta;
    if (std::fabs(delta - 1.0) < 1e-16) break;
  }
  return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

}  // namespace

double chi_square_upper(double x, int df) {
  if (!(x > 0.0)) return 1.0;
  const double a = df / 2.0, half = x / 2.0;
  if (half < a + 1.0) return 1.0 - gamma_lower_series(a, half);
  return gamma_upper_fraction(a, half);
}

double normal_upper(double z) { return 0.5 * std::erfc(z / std::sqrt(2.0)); }

double normal_quantile(double p) {
  // Acklam's rational approximation (relative error below 1.2e-9), then one Halley step
  // against erfc, which brings it to full double precision.
  static const double a[] = {-3.969683028665376e+01, 2.209460984245205e+02, -2.759285104469687e+02,
                             1.383577518672690e+02, -3.066479806614716e+01, 2.506628277459239e+00};
  static const double b[] = {-5.447609879822406e+01, 1.615858368580409e+02, -1.556989798598866e+02,
                             6.680131188771972e+01, -1.328068155288572e+01};
  static const double c[] = {-7.784894002430293e-03, -3.223964580411365e-01, -2.400758277161838e+00,
                             -2.549732539343734e+00, 4.374664141464968e+00, 2.938163982698783e+00};
  static const double d[] = {7.784695709041462e-03, 3.224671290700398e-01, 2.445134137142996e+00,
                             3.754408661907416e+00};
  const double low = 0.02425;
  double x;
  if (p < low) {
    const double q = std::sqrt(-2 * std::log(p));
    x = (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
        ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
  } else if (p <= 1 - low) {
    const double q = p - 0.5, r = q * q;
    x = (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q /
        (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1);
  } else {
    const double q = std::sqrt(-2 * std::log(1 - p));
    x = -(((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
        ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
  }
  const double e = 0.5 * std::erfc(-x / std::sqrt(2.0)) - p;
  const double u = e * std::sqrt(2 * std::numbers::pi) * std::exp(x * x / 2);
  return x - u / (1 + x * u / 2);
}

Proportion wilson(std::int64_t k, std::int64_t n) {
  Proportion result;
  if (n <= 0) return result;
  const double z = normal_quantile(0.975), nn = static_cast<double>(n);
  const double p = static_cast<double>(k) / nn, z2 = z * z;
  const double centre = (p + z2 / (2 * nn)) / (1 + z2 / nn);
  const double half = z * std::sqrt(p * (1 - p) / nn + z2 / (4 * nn * nn)) / (1 + z2 / nn);
  result.value = p;
  result.low = std::fmax(0.0, centre - half);
  result.high = std::fmin(1.0, centre + half);
  return result;
}

}  // namespace simcheck
