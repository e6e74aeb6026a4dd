#include "simcheck/evaluation.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace simcheck {
namespace {

double two_sided(double z) { return 2 * normal_upper(std::fabs(z)); }

// A binomial count k of n against the fraction r, by its normal approximation; a count
// where r allows none is as far off as can be.
double binomial_p(std::int64_t k, std::int64_t n, double r) {
  if (n == 0) return 1;
  if (r <= 0) return k == 0 ? 1 : 0;
  if (r >= 1) return k == n ? 1 : 0;
  const double count = static_cast<double>(k), all = static_cast<double>(n);
  return two_sided((count - all * r) / std::sqrt(all * r * (1 - r)));
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

// The founder alleles of one locus and population against the expected frequencies. False
// when the locus is fixed in this population, which tells nothing.
bool test_frequency(const std::vector<double>& f, const std::vector<std::int64_t>& seen, FrequencyTest& t) {
  for (std::int64_t k : seen) t.alleles += k;
  if (t.alleles == 0) return false;
  const double alleles = static_cast<double>(t.alleles);
  int classes = 0;
  bool impossible = false;
  double worst = -1;
  for (std::size_t a = 0; a < f.size(); ++a) {
    const double e = f[a] * alleles, count = static_cast<double>(seen[a]);
    if (e > 0) {
      ++classes;
      t.chi_square += (count - e) * (count - e) / e;
    } else if (seen[a] > 0) {
      impossible = true;
    }
    const double off = e > 0 ? std::fabs(count - e) / std::sqrt(e) : seen[a] > 0 ? 1e300 : 0;
    if (off > worst) {
      worst = off;
      char text[160];
      std::snprintf(text, sizeof text, "allele %zu expected %.4f, seen %.4f", a + 1, f[a], count / alleles);
      t.worst = text;
    }
  }
  t.df = classes - 1;
  if (impossible) t.p = 0;
  else if (t.df >= 1) t.p = chi_square_upper(t.chi_square, t.df);
  else return false;
  return true;
}

void test_frequencies(const Inputs& in, const Counts& counts, Evaluation& ev) {
  for (std::size_t k = 0; k < in.chromosomes.size(); ++k)
    for (std::int32_t j = 0; j < in.chromosomes[k].count(); ++j)
      for (std::int32_t q = 0; q < 2; ++q) {
        FrequencyTest t;
        t.chromosome = k, t.locus = j, t.population = q;
        const std::size_t locus = static_cast<std::size_t>(j), population = static_cast<std::size_t>(q);
        if (test_frequency(in.chromosomes[k].frequency[locus][population],
                           counts.chromosomes[k].founder_alleles[locus][population], t))
          ev.frequencies.push_back(t);
      }
  const double level = family_level / static_cast<double>(std::max<std::size_t>(1, ev.frequencies.size()));
  for (auto& t : ev.frequencies) t.flagged = t.p < level;
}

void test_intervals(const Inputs& in, const Counts& counts, Evaluation& ev) {
  for (std::size_t k = 0; k < in.chromosomes.size(); ++k) {
    const Chromosome& chromosome = in.chromosomes[k];
    const ChromosomeCounts& of_chromosome = counts.chromosomes[k];
    for (std::int32_t j = 1; j < chromosome.count(); ++j) {
      const std::size_t locus = static_cast<std::size_t>(j);
      IntervalTest t;
      t.chromosome = k;
      t.locus = j;
      t.distance = chromosome.loci->positions[locus] - chromosome.loci->positions[locus - 1];
      t.expected = chromosome.haldane[locus];
      t.typed_meioses = of_chromosome.typed_meioses[locus];
      t.typed_recombinants = of_chromosome.typed_recombinants[locus];
      t.typed = wilson(t.typed_recombinants, t.typed_meioses);
      t.typed_p = binomial_p(t.typed_recombinants, t.typed_meioses, t.expected);
      t.meioses = counts.traced ? of_chromosome.traced_meioses[locus] : t.typed_meioses;
      t.recombinants = counts.traced ? of_chromosome.traced_recombinants[locus] : t.typed_recombinants;
      t.p = counts.traced ? binomial_p(t.recombinants, t.meioses, t.expected) : t.typed_p;
      t.observed = wilson(t.recombinants, t.meioses);
      ev.intervals.push_back(t);
    }
  }
  // Both counts of every interval are tests of the one family when the trace is there.
  const std::size_t tests = ev.intervals.size() * (counts.traced ? 2 : 1);
  const double level = family_level / static_cast<double>(std::max<std::size_t>(1, tests));
  for (auto& t : ev.intervals) t.flagged = t.p < level || (counts.traced && t.typed_p < level);
}

MarkerTest test_marker(const ChromosomeCounts& counts, std::size_t j) {
  MarkerTest t;
  t.locus = static_cast<std::int32_t>(j);
  t.founders = counts.founders[j];
  const double founders = static_cast<double>(counts.founders[j]);
  t.expected = counts.founders_expected[j] / founders;
  t.founders_observed = static_cast<double>(counts.founders_heterozygous[j]) / founders;
  t.all_observed = counts.all[j] ? static_cast<double>(counts.all_heterozygous[j]) / static_cast<double>(counts.all[j]) : 0;
  const double v = counts.founders_expected_variance[j];
  if (v > 0) t.p = two_sided((static_cast<double>(counts.founders_heterozygous[j]) - counts.founders_expected[j]) / std::sqrt(v));
  else t.p = counts.founders_heterozygous[j] == std::llround(counts.founders_expected[j]) ? 1 : 0;
  return t;
}

void test_markers(const Inputs& in, const Counts& counts, Evaluation& ev) {
  for (std::size_t k = 0; k < in.chromosomes.size(); ++k)
    for (std::int32_t j = 0; j < in.chromosomes[k].count(); ++j) {
      const std::size_t locus = static_cast<std::size_t>(j);
      const std::string name(in.chromosomes[k].loci->names[locus].view());
      if (is_trait_locus(name) || counts.chromosomes[k].founders[locus] == 0) continue;
      MarkerTest t = test_marker(counts.chromosomes[k], locus);
      t.chromosome = k;
      ev.markers.push_back(t);
    }
  const double level = family_level / static_cast<double>(std::max<std::size_t>(1, ev.markers.size()));
  for (auto& t : ev.markers) t.flagged = t.p < level;
}

// The trait of every simulation together.
void pool(const Counts& counts, TraitFigures& f) {
  const Sums& s = counts.sums;
  f.replicate = "pooled";
  f.n = static_cast<std::int64_t>(s.n);
  auto var = [&](double sum, double squares) { return s.n > 1 ? (squares - sum * sum / s.n) / (s.n - 1) : 0.0; };
  f.phenotype_mean = s.n > 0 ? s.p / s.n : 0;
  f.phenotype_variance = var(s.p, s.pp);
  f.genotypic_variance = var(s.g, s.gg);
  f.environmental_variance = var(s.e, s.ee);
  const double cov = s.n > 1 ? (s.ge - s.g * s.e / s.n) / (s.n - 1) : 0;
  const double sd = std::sqrt(f.genotypic_variance * f.environmental_variance);
  f.correlation = sd > 0 ? cov / sd : 0;
  double draws_n = 0, draws_sum = 0;
  for (const auto& r : counts.traits) {
    const double n = static_cast<double>(r.n_draws);
    draws_n += n, draws_sum += r.draws_correlation * n;
  }
  f.n_draws = static_cast<std::int64_t>(draws_n);
  f.draws_correlation = draws_n > 0 ? draws_sum / draws_n : 0;
}

// The environmental variance against sigma squared, and the correlation of genotypic value
// and environmental deviate against none, at `level`.
void test_pooled(double n, double level, TraitTest& t) {
  const TraitFigures& f = t.pooled;
  if (n > 1 && t.sigma2 > 0) {
    const double x = (n - 1) * f.environmental_variance / t.sigma2;
    const double upper = chi_square_upper(x, static_cast<int>(n - 1));
    t.environmental_p = std::min(1.0, 2 * std::min(upper, 1 - upper));
  } else if (n > 1) {
    t.environmental_p = f.environmental_variance > 1e-6 ? 0 : 1;  // three decimals' rounding
  }
  t.environmental_flagged = t.environmental_p < level;
  if (n > 2) {
    t.correlation_se = std::sqrt(std::max(0.0, 1 - f.correlation * f.correlation) / (n - 2));
    const bool varies = f.genotypic_variance * f.environmental_variance > 0;
    t.correlation_p = varies ? correlation_p(f.correlation, n) : 1;
  }
  t.correlation_flagged = t.correlation_p < level;
}

void test_trait(const Inputs& in, const Counts& counts, Evaluation& ev) {
  if (!counts.has_trait) return;
  ev.has_trait = true;
  TraitTest& t = ev.trait;
  pool(counts, t.pooled);
  t.sigma2 = static_cast<double>(in.model.sigma) * in.model.sigma;
  // The tests of this kind: the environmental variance, the correlation, and the draws of
  // every simulation that has them, each chromosome's stream a test.
  int tests = 2;
  for (const auto& r : counts.traits) tests += r.n_draws > 2 ? r.draw_streams : 0;
  const double level = family_level / tests;
  test_pooled(counts.sums.n, level, t);
  t.draws_threshold = level;
  for (std::size_t r = 0; r < counts.traits.size(); ++r)
    if (counts.traits[r].n_draws > 2 &&
        correlation_p(counts.traits[r].draws_correlation, static_cast<double>(counts.traits[r].n_draws)) < level)
      t.draws_flagged.push_back(r);
  std::vector<double> v, h2;
  for (const auto& r : counts.traits) {
    v.push_back(r.phenotype_variance);
    h2.push_back(r.phenotype_variance > 0 ? r.genotypic_variance / r.phenotype_variance : 0);
  }
  spread(v, t.variance_mean, t.variance_sd, t.variance_min, t.variance_max);
  spread(h2, t.h2_mean, t.h2_sd, t.h2_min, t.h2_max);
}

}  // namespace

bool is_trait_locus(const std::string& name) { return name.find("qtl") != std::string::npos; }

Evaluation evaluate(const Inputs& in, const Counts& counts) {
  Evaluation ev;
  test_frequencies(in, counts, ev);
  test_intervals(in, counts, ev);
  test_markers(in, counts, ev);
  test_trait(in, counts, ev);
  ev.flags = counts.mendel_faults + counts.trace_faults;
  for (const auto& t : ev.frequencies) ev.flags += t.flagged;
  for (const auto& t : ev.intervals) ev.flags += t.flagged;
  for (const auto& t : ev.markers) ev.flags += t.flagged;
  ev.flags += ev.trait.environmental_flagged + ev.trait.correlation_flagged +
              static_cast<std::int64_t>(ev.trait.draws_flagged.size());
  return ev;
}

}  // namespace simcheck
