#include "simcheck/evaluation.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace simcheck {
namespace {

double two_sided(double z) { return 2 * normal_upper(std::fabs(z)); }

// A binomial count k of n against the fraction r, by its normal approximation; a count
// where r allows none is as far off as can be.
double binomial_p(long k, long n, double r) {
  if (n == 0) return 1;
  if (r <= 0) return k == 0 ? 1 : 0;
  if (r >= 1) return k == n ? 1 : 0;
  return two_sided((k - n * r) / std::sqrt(n * r * (1 - r)));
}

double correlation_p(double r, double n) {
  if (n < 3 || std::fabs(r) >= 1) return std::fabs(r) >= 1 ? 0 : 1;
  return two_sided(r * std::sqrt(n - 2) / std::sqrt(1 - r * r));
}

void spread(const std::vector<double>& x, double& mean, double& sd, double& lo, double& hi) {
  if (x.empty()) return;
  mean = 0;
  for (double v : x) mean += v;
  mean /= x.size();
  double ss = 0;
  for (double v : x) ss += (v - mean) * (v - mean);
  sd = x.size() > 1 ? std::sqrt(ss / (x.size() - 1)) : 0;
  lo = *std::min_element(x.begin(), x.end());
  hi = *std::max_element(x.begin(), x.end());
}

void test_frequencies(const Inputs& in, const Counts& c, Evaluation& ev) {
  for (int j = 0; j < in.loci.count; ++j)
    for (int q = 0; q < 2; ++q) {
      const auto& seen = c.founder_alleles[j][q];
      const auto& f = in.frequency[j][q];
      FrequencyTest t;
      t.locus = j, t.population = q;
      for (long k : seen) t.alleles += k;
      if (t.alleles == 0) continue;
      int classes = 0;
      bool impossible = false;
      double worst = -1;
      for (std::size_t a = 0; a < f.size(); ++a) {
        const double e = f[a] * t.alleles;
        if (e > 0) {
          ++classes;
          t.chi_square += (seen[a] - e) * (seen[a] - e) / e;
        } else if (seen[a] > 0) {
          impossible = true;
        }
        const double off = e > 0 ? std::fabs(seen[a] - e) / std::sqrt(e) : seen[a] > 0 ? 1e300 : 0;
        if (off > worst) {
          worst = off;
          char text[160];
          std::snprintf(text, sizeof text, "allele %zu expected %.4f, seen %.4f", a + 1, f[a],
                        static_cast<double>(seen[a]) / t.alleles);
          t.worst = text;
        }
      }
      t.df = classes - 1;
      if (impossible) t.p = 0;
      else if (t.df >= 1) t.p = chi_square_upper(t.chi_square, t.df);
      else continue;  // a locus fixed in this population tells nothing
      ev.frequencies.push_back(t);
    }
  const double level = family_level / std::max<std::size_t>(1, ev.frequencies.size());
  for (auto& t : ev.frequencies) t.flagged = t.p < level;
}

void test_intervals(const Inputs& in, const Counts& c, Evaluation& ev) {
  for (int j = 1; j < in.loci.count; ++j) {
    IntervalTest t;
    t.locus = j;
    t.distance = in.loci.positions[j] - in.loci.positions[j - 1];
    t.expected = in.haldane[j];
    t.typed_meioses = c.typed_meioses[j];
    t.typed_recombinants = c.typed_recombinants[j];
    t.typed = wilson(t.typed_recombinants, t.typed_meioses);
    t.typed_p = binomial_p(t.typed_recombinants, t.typed_meioses, t.expected);
    if (c.traced) {
      t.meioses = c.traced_meioses[j];
      t.recombinants = c.traced_recombinants[j];
      t.p = binomial_p(t.recombinants, t.meioses, t.expected);
    } else {
      t.meioses = t.typed_meioses;
      t.recombinants = t.typed_recombinants;
      t.p = t.typed_p;
    }
    t.observed = wilson(t.recombinants, t.meioses);
    ev.intervals.push_back(t);
  }
  // Both counts of every interval are tests of the one family when the trace is there.
  const std::size_t tests = ev.intervals.size() * (c.traced ? 2 : 1);
  const double level = family_level / std::max<std::size_t>(1, tests);
  for (auto& t : ev.intervals) t.flagged = t.p < level || (c.traced && t.typed_p < level);
}

void test_markers(const Inputs& in, const Counts& c, Evaluation& ev) {
  for (int j = 0; j < in.loci.count; ++j) {
    const std::string name(in.loci.names[j].view());
    if (is_trait_locus(name) || c.founders[j] == 0) continue;
    MarkerTest t;
    t.locus = j;
    t.founders = c.founders[j];
    t.expected = c.founders_expected[j] / c.founders[j];
    t.founders_observed = static_cast<double>(c.founders_heterozygous[j]) / c.founders[j];
    t.all_observed = c.all[j] ? static_cast<double>(c.all_heterozygous[j]) / c.all[j] : 0;
    const double v = c.founders_expected_variance[j];
    if (v > 0) t.p = two_sided((c.founders_heterozygous[j] - c.founders_expected[j]) / std::sqrt(v));
    else t.p = c.founders_heterozygous[j] == std::lround(c.founders_expected[j]) ? 1 : 0;
    ev.markers.push_back(t);
  }
  const double level = family_level / std::max<std::size_t>(1, ev.markers.size());
  for (auto& t : ev.markers) t.flagged = t.p < level;
}

void test_trait(const Inputs& in, const Counts& c, Evaluation& ev) {
  if (!c.has_trait) return;
  ev.has_trait = true;
  TraitTest& t = ev.trait;
  const Sums& s = c.sums;
  TraitFigures& f = t.pooled;
  f.replicate = "pooled";
  f.n = static_cast<long>(s.n);
  auto var = [&](double sum, double squares) {
    return s.n > 1 ? (squares - sum * sum / s.n) / (s.n - 1) : 0.0;
  };
  f.phenotype_mean = s.n > 0 ? s.p / s.n : 0;
  f.phenotype_variance = var(s.p, s.pp);
  f.genotypic_variance = var(s.g, s.gg);
  f.environmental_variance = var(s.e, s.ee);
  const double cov = s.n > 1 ? (s.ge - s.g * s.e / s.n) / (s.n - 1) : 0;
  const double sd = std::sqrt(f.genotypic_variance * f.environmental_variance);
  f.correlation = sd > 0 ? cov / sd : 0;
  double draws_n = 0, draws_sum = 0;
  for (const auto& r : c.traits) draws_n += r.n_draws, draws_sum += r.draws_correlation * r.n_draws;
  f.n_draws = static_cast<long>(draws_n);
  f.draws_correlation = draws_n > 0 ? draws_sum / draws_n : 0;

  t.sigma2 = static_cast<double>(in.model.sigma) * in.model.sigma;
  // The tests of this kind: the environmental variance, the correlation, and the draws of
  // every simulation that has them.
  int tests = 2;
  for (const auto& r : c.traits) tests += r.n_draws > 2 ? 1 : 0;
  const double level = family_level / tests;
  if (s.n > 1 && t.sigma2 > 0) {
    const double x = (s.n - 1) * f.environmental_variance / t.sigma2;
    const double upper = chi_square_upper(x, static_cast<int>(s.n - 1));
    t.environmental_p = std::min(1.0, 2 * std::min(upper, 1 - upper));
  } else if (s.n > 1) {
    t.environmental_p = f.environmental_variance > 1e-6 ? 0 : 1;  // three decimals' rounding
  }
  t.environmental_flagged = t.environmental_p < level;
  if (s.n > 2) {
    t.correlation_se = std::sqrt(std::max(0.0, 1 - f.correlation * f.correlation) / (s.n - 2));
    t.correlation_p = sd > 0 ? correlation_p(f.correlation, s.n) : 1;
  }
  t.correlation_flagged = t.correlation_p < level;
  t.draws_threshold = level;
  for (std::size_t r = 0; r < c.traits.size(); ++r)
    if (c.traits[r].n_draws > 2 &&
        correlation_p(c.traits[r].draws_correlation, c.traits[r].n_draws) < level)
      t.draws_flagged.push_back(static_cast<int>(r));
  std::vector<double> v, h2;
  for (const auto& r : c.traits) {
    v.push_back(r.phenotype_variance);
    h2.push_back(r.phenotype_variance > 0 ? r.genotypic_variance / r.phenotype_variance : 0);
  }
  spread(v, t.variance_mean, t.variance_sd, t.variance_min, t.variance_max);
  spread(h2, t.h2_mean, t.h2_sd, t.h2_min, t.h2_max);
}

}  // namespace

bool is_trait_locus(const std::string& name) { return name.find("qtl") != std::string::npos; }

Evaluation evaluate(const Inputs& in, const Counts& c) {
  Evaluation ev;
  test_frequencies(in, c, ev);
  test_intervals(in, c, ev);
  test_markers(in, c, ev);
  test_trait(in, c, ev);
  ev.flags = static_cast<int>(c.mendel_faults + c.trace_faults);
  for (const auto& t : ev.frequencies) ev.flags += t.flagged;
  for (const auto& t : ev.intervals) ev.flags += t.flagged;
  for (const auto& t : ev.markers) ev.flags += t.flagged;
  ev.flags += ev.trait.environmental_flagged + ev.trait.correlation_flagged +
              static_cast<int>(ev.trait.draws_flagged.size());
  return ev;
}

}  // namespace simcheck
