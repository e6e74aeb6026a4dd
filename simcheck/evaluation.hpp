// The tests on the gathered counts: every figure with its expectation, its p-value and
// whether it is flagged. A test is flagged at p < 0.001 divided by the number of tests of its
// kind, so that a sound simulation raises a flag of a kind in one check out of a thousand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "simcheck/checks.hpp"
#include "simcheck/statistics.hpp"

namespace simcheck {

constexpr double family_level = 0.001;

struct FrequencyTest {
  std::size_t chromosome = 0;
  std::int32_t locus = 0, population = 0;  // 0-based
  std::int64_t alleles = 0;                // founder alleles counted
  double chi_square = 0, p = 1;
  std::int32_t df = 0;
  bool flagged = false;
  std::string worst;  // the allele furthest from its expectation: expected and seen
};

struct IntervalTest {
  std::size_t chromosome = 0;
  std::int32_t locus = 0;  // the interval ends at this locus (1..L-1)
  double distance = 0, expected = 0;
  std::int64_t meioses = 0, recombinants = 0;  // from the trace, or from the genotypes without one
  Proportion observed;
  std::int64_t typed_meioses = 0, typed_recombinants = 0;
  Proportion typed;
  double p = 1, typed_p = 1;
  bool flagged = false;
};

struct MarkerTest {
  std::size_t chromosome = 0;
  std::int32_t locus = 0;
  double expected = 0, founders_observed = 0, all_observed = 0;
  std::int64_t founders = 0;
  double p = 1;
  bool flagged = false;
};

struct TraitTest {
  TraitFigures pooled;
  double sigma2 = 0;
  double environmental_p = 1, correlation_se = 0, correlation_p = 1;
  bool environmental_flagged = false, correlation_flagged = false;
  std::vector<std::size_t> draws_flagged;  // indices into Counts::traits
  double draws_threshold = 0;
  // Spread across replicates.
  double variance_mean = 0, variance_sd = 0, variance_min = 0, variance_max = 0;
  double h2_mean = 0, h2_sd = 0, h2_min = 0, h2_max = 0;
};

struct Evaluation {
  std::vector<FrequencyTest> frequencies;
  std::vector<IntervalTest> intervals;
  std::vector<MarkerTest> markers;
  bool has_trait = false;
  TraitTest trait;
  std::int64_t flags = 0;  // flagged lines, faults included
};

Evaluation evaluate(const Inputs& inputs, const Counts& counts);

// Whether locus name `name` marks a trait locus: it holds "qtl", as the suite marks them.
bool is_trait_locus(const std::string& name);

}  // namespace simcheck
