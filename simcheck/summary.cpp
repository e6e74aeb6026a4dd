// The summary on standard output: a line per check (per chromosome of a study of several),
// and a line starting "FLAG" for every flagged test and listed fault.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "simcheck/report.hpp"

namespace simcheck {
namespace {

void line(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::putchar('\n');
}

double level_of(std::size_t tests) { return family_level / static_cast<double>(tests ? tests : 1); }

// What the summary reads from: the check's subject, inputs, counts and tests.
struct Report {
  const Subject& subject;
  const Inputs& in;
  const Counts& c;
  const Evaluation& ev;
  // " on chromosome NAME" after a check's name when there are several, else nothing.
  std::string on(std::size_t k) const {
    return in.chromosomes.size() > 1 ? " on chromosome " + in.chromosomes[k].name : std::string();
  }
  std::string name_of(std::size_t k, std::int32_t j) const { return in.chromosomes[k].locus_name(j); }
};

template <typename Test>
int flagged_on(const std::vector<Test>& tests, std::size_t k) {
  int flagged = 0;
  for (const Test& t : tests) flagged += t.chromosome == k && t.flagged;
  return flagged;
}

template <typename Test>
std::size_t count_on(const std::vector<Test>& tests, std::size_t k) {
  return static_cast<std::size_t>(std::count_if(tests.begin(), tests.end(), [&](const Test& t) { return t.chromosome == k; }));
}

void header(const Report& report) {
  const Subject& s = report.subject;
  const std::size_t chromosomes = report.in.chromosomes.size();
  if (s.replicates > 0 && chromosomes > 1)
    line("simcheck: study %s, %d replicates pooled, %d individuals and %d loci on %zu chromosomes each",
         s.folder.c_str(), s.replicates, report.in.pedigree.count, report.in.loci(), chromosomes);
  else if (s.replicates > 0)
    line("simcheck: study %s, %d replicates pooled, %d individuals and %d loci each", s.folder.c_str(), s.replicates,
         report.in.pedigree.count, report.in.loci());
  else if (chromosomes > 1)
    line("simcheck: simulation %s, %d individuals, %d loci on %zu chromosomes", s.folder.c_str(),
         report.in.pedigree.count, report.in.loci(), chromosomes);
  else
    line("simcheck: simulation %s, %d individuals, %d loci", s.folder.c_str(), report.in.pedigree.count, report.in.loci());
}

// The listed faults of one kind on chromosome k, and how many more there are.
void print_faults(const Report& report, std::size_t k, bool trace) {
  std::int64_t listed = 0;
  for (const auto& f : report.c.faults) {
    if (f.trace != trace || f.chromosome != k) continue;
    ++listed;
    line("FLAG %s%srecord %d (id %s): %s", f.replicate.c_str(), f.replicate.empty() ? "" : ": ", f.row, f.id.c_str(),
         f.what.c_str());
  }
  const ChromosomeCounts& counts = report.c.chromosomes[k];
  const std::int64_t all = trace ? counts.trace_faults : counts.mendel_faults;
  if (all > listed)
    line("  ... %lld more; faults.tsv lists the first %zu", static_cast<long long>(all - listed), max_listed);
}

void mendel(const Report& report, std::size_t k) {
  std::int64_t nonfounders = 0;
  for (const auto& p : report.in.parent) nonfounders += p[0] >= 0;
  const std::int32_t replicates = report.subject.replicates;
  const std::int64_t faults = report.c.chromosomes[k].mendel_faults;
  line("Mendelian consistency%s: %lld fault%s in %lld non-founders at %d loci%s", report.on(k).c_str(),
       static_cast<long long>(faults), faults == 1 ? "" : "s",
       static_cast<long long>(nonfounders * (replicates ? replicates : 1)), report.in.chromosomes[k].count(),
       replicates ? " (all replicates)" : "");
  print_faults(report, k, false);
}

void frequencies(const Report& report, std::size_t k) {
  const auto& tests = report.ev.frequencies;
  line("Founder allele frequencies%s: %zu tests (locus and population), flagged at p < %.2g: %d flagged",
       report.on(k).c_str(), count_on(tests, k), level_of(tests.size()), flagged_on(tests, k));
  for (const auto& t : tests)
    if (t.chromosome == k && t.flagged)
      line("FLAG frequencies of %s in population %d: chi-square %.1f on %d df, p = %.3g among %lld founder alleles; %s",
           report.name_of(k, t.locus).c_str(), t.population + 1, t.chi_square, t.df, t.p,
           static_cast<long long>(t.alleles), t.worst.c_str());
}

void recombination(const Report& report, std::size_t k) {
  const auto& tests = report.ev.intervals;
  const bool traced = report.c.traced;
  std::int64_t meioses = 0;
  for (const auto& t : tests)
    if (t.chromosome == k) meioses = std::max(meioses, t.meioses);
  line("Recombination%s: %zu intervals, %lld meioses %s, flagged at p < %.2g: %d flagged", report.on(k).c_str(),
       count_on(tests, k), static_cast<long long>(meioses),
       traced ? "from the trace file (and those the genotypes show)" : "shown by the genotypes (no trace file)",
       level_of(tests.size() * (traced ? 2 : 1)), flagged_on(tests, k));
  for (const auto& t : tests)
    if (t.chromosome == k && t.flagged)
      line("FLAG recombination %s-%s (%.2f cM): expected %.4f (Haldane), seen %.4f (95%% CI %.4f-%.4f) in %lld meioses, "
           "%.4f (%.4f-%.4f) in the %lld the genotypes show",
           report.name_of(k, t.locus - 1).c_str(), report.name_of(k, t.locus).c_str(), t.distance, t.expected, t.observed.value,
           t.observed.low, t.observed.high, static_cast<long long>(t.meioses), t.typed.value, t.typed.low,
           t.typed.high, static_cast<long long>(t.typed_meioses));
  if (!traced) return;
  const std::int64_t faults = report.c.chromosomes[k].trace_faults;
  line("Trace file against genotypes%s: %lld meios%s disagree%s", report.on(k).c_str(), static_cast<long long>(faults),
       faults == 1 ? "is" : "es", faults == 1 ? "s" : "");
  print_faults(report, k, true);
}

void heterozygosity(const Report& report, std::size_t k) {
  const auto& tests = report.ev.markers;
  double expected = 0, seen = 0, all = 0;
  for (const auto& t : tests)
    if (t.chromosome == k) expected += t.expected, seen += t.founders_observed, all += t.all_observed;
  const std::size_t markers = count_on(tests, k);
  const double n = markers == 0 ? 1 : static_cast<double>(markers);
  line("Heterozygosity%s: %zu markers, mean expected %.3f, seen %.3f in founders and %.3f in all; flagged at p < %.2g: "
       "%d flagged",
       report.on(k).c_str(), markers, expected / n, seen / n, all / n, level_of(tests.size()), flagged_on(tests, k));
  for (const auto& t : tests)
    if (t.chromosome == k && t.flagged)
      line("FLAG heterozygosity of %s: expected %.4f, seen %.4f in %lld founders (p = %.3g)",
           report.name_of(k, t.locus).c_str(), t.expected, t.founders_observed, static_cast<long long>(t.founders), t.p);
}

void trait_tests(const TraitTest& test) {
  const TraitFigures& f = test.pooled;
  line("  environmental variance %.4f against sigma squared %.4f (p = %.3g)", f.environmental_variance, test.sigma2,
       test.environmental_p);
  if (test.environmental_flagged)
    line("FLAG environmental variance: expected sigma squared %.4f, seen %.4f (p = %.3g)", test.sigma2,
         f.environmental_variance, test.environmental_p);
  line("  correlation of genotypic value and environmental deviate %.4f, standard error %.4f (p = %.3g)",
       f.correlation, test.correlation_se, test.correlation_p);
  if (test.correlation_flagged)
    line("FLAG correlation of genotypic value and environmental deviate: expected 0 within %.4f, seen %.4f (p = %.3g)",
         test.correlation_se, f.correlation, test.correlation_p);
}

void trait(const Report& report) {
  if (!report.ev.has_trait) {
    line("Trait: no model or no phenotype file: not checked");
    return;
  }
  const TraitTest& t = report.ev.trait;
  const TraitFigures& f = t.pooled;
  line("Trait: %lld phenotypes, mean %.4f, variance %.4f; genotypic variance %.4f (heritability %.3f)",
       static_cast<long long>(f.n), f.phenotype_mean, f.phenotype_variance, f.genotypic_variance,
       f.phenotype_variance > 0 ? f.genotypic_variance / f.phenotype_variance : 0.0);
  trait_tests(t);
  if (f.n_draws > 0)
    line("  environmental deviates against sums of twelve of genodrop's draws: correlation %.4f over %lld individuals",
         f.draws_correlation, static_cast<long long>(f.n_draws));
  for (std::size_t k : t.draws_flagged) {
    const TraitFigures& x = report.c.traits[k];
    line("FLAG %s%senvironmental deviates are genodrop's own draws: expected correlation 0, seen %.4f over %lld "
         "individuals; genodrop and traitsim were seeded in the same second",
         x.replicate.c_str(), x.replicate.empty() ? "" : ": ", x.draws_correlation, static_cast<long long>(x.n_draws));
  }
  if (report.subject.replicates > 0)
    line("  across %zu replicates: phenotype variance %.4f (sd %.4f, %.4f to %.4f), heritability %.3f (sd %.3f, %.3f "
         "to %.3f)",
         report.c.traits.size(), t.variance_mean, t.variance_sd, t.variance_min, t.variance_max, t.h2_mean, t.h2_sd,
         t.h2_min, t.h2_max);
}

}  // namespace

void print_summary(const Subject& subject, const Inputs& in, const Counts& c, const Evaluation& ev) {
  const Report report{subject, in, c, ev};
  const std::size_t chromosomes = in.chromosomes.size();
  header(report);
  for (std::size_t k = 0; k < chromosomes; ++k) mendel(report, k);
  for (std::size_t k = 0; k < chromosomes; ++k) frequencies(report, k);
  for (std::size_t k = 0; k < chromosomes; ++k) recombination(report, k);
  for (std::size_t k = 0; k < chromosomes; ++k) heterozygosity(report, k);
  trait(report);
  if (ev.flags == 0) line("No flag raised.");
  else line("%lld flag%s raised.", static_cast<long long>(ev.flags), ev.flags == 1 ? "" : "s");
}

}  // namespace simcheck
