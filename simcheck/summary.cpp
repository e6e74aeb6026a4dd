#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "simcheck/report.hpp"

namespace simcheck {
namespace {

std::string name_of(const Inputs& in, int j) { return std::string(in.loci.names[j].trimmed()); }

void line(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::putchar('\n');
}

double level_of(std::size_t tests) { return family_level / (tests ? tests : 1); }

}  // namespace

void print_summary(const Subject& subject, const Inputs& in, const Counts& c, const Evaluation& ev) {
  if (subject.replicates > 0)
    line("simcheck: study %s, %d replicates pooled, %d individuals and %d loci each",
         subject.folder.c_str(), subject.replicates, in.pedigree.count, in.loci.count);
  else
    line("simcheck: simulation %s, %d individuals, %d loci", subject.folder.c_str(),
         in.pedigree.count, in.loci.count);

  // Mendel.
  long nonfounders = 0;
  for (const auto& p : in.parent) nonfounders += p[0] >= 0;
  line("Mendelian consistency: %ld fault%s in %ld non-founders at %d loci%s", c.mendel_faults,
       c.mendel_faults == 1 ? "" : "s", nonfounders * (subject.replicates ? subject.replicates : 1),
       in.loci.count, subject.replicates ? " (all replicates)" : "");
  auto print_faults = [&](bool trace_kind) {
    for (const auto& f : c.faults) {
      if (f.trace != trace_kind) continue;
      line("FLAG %s%srecord %d (id %s): %s", f.replicate.c_str(), f.replicate.empty() ? "" : ": ", f.row,
           f.id.c_str(), f.what.c_str());
    }
  };
  print_faults(false);
  if (c.mendel_faults > static_cast<long>(max_listed))
    line("  ... %ld more; faults.tsv lists the first %zu", c.mendel_faults - static_cast<long>(max_listed), max_listed);

  // Founder frequencies.
  int flagged = 0;
  for (const auto& t : ev.frequencies) flagged += t.flagged;
  line("Founder allele frequencies: %zu tests (locus and population), flagged at p < %.2g: %d flagged",
       ev.frequencies.size(), level_of(ev.frequencies.size()), flagged);
  for (const auto& t : ev.frequencies)
    if (t.flagged)
      line("FLAG frequencies of %s in population %d: chi-square %.1f on %d df, p = %.3g among %ld founder alleles; %s",
           name_of(in, t.locus).c_str(), t.population + 1, t.chi_square, t.df, t.p, t.alleles,
           t.worst.c_str());

  // Recombination.
  flagged = 0;
  long meioses = 0;
  for (const auto& t : ev.intervals) flagged += t.flagged, meioses = std::max(meioses, t.meioses);
  line("Recombination: %zu intervals, %ld meioses %s, flagged at p < %.2g: %d flagged",
       ev.intervals.size(), meioses,
       c.traced ? "from the trace file (and those the genotypes show)" : "shown by the genotypes (no trace file)",
       level_of(ev.intervals.size() * (c.traced ? 2 : 1)), flagged);
  for (const auto& t : ev.intervals)
    if (t.flagged)
      line("FLAG recombination %s-%s (%.2f cM): expected %.4f (Haldane), seen %.4f (95%% CI %.4f-%.4f) in %ld meioses, "
           "%.4f (%.4f-%.4f) in the %ld the genotypes show",
           name_of(in, t.locus - 1).c_str(), name_of(in, t.locus).c_str(), t.distance, t.expected,
           t.observed.value, t.observed.low, t.observed.high, t.meioses, t.typed.value, t.typed.low,
           t.typed.high, t.typed_meioses);
  if (c.traced)
    line("Trace file against genotypes: %ld meios%s disagree%s", c.trace_faults,
         c.trace_faults == 1 ? "is" : "es", c.trace_faults == 1 ? "s" : "");
  print_faults(true);
  if (c.trace_faults > static_cast<long>(max_listed))
    line("  ... %ld more; faults.tsv lists the first %zu", c.trace_faults - static_cast<long>(max_listed), max_listed);

  // Markers.
  flagged = 0;
  double expected = 0, seen = 0, all = 0;
  for (const auto& t : ev.markers)
    flagged += t.flagged, expected += t.expected, seen += t.founders_observed, all += t.all_observed;
  const double k = ev.markers.empty() ? 1 : static_cast<double>(ev.markers.size());
  line("Heterozygosity: %zu markers, mean expected %.3f, seen %.3f in founders and %.3f in all; flagged at p < %.2g: %d flagged",
       ev.markers.size(), expected / k, seen / k, all / k, level_of(ev.markers.size()), flagged);
  for (const auto& t : ev.markers)
    if (t.flagged)
      line("FLAG heterozygosity of %s: expected %.4f, seen %.4f in %ld founders (p = %.3g)",
           name_of(in, t.locus).c_str(), t.expected, t.founders_observed, t.founders, t.p);

  // Trait.
  if (!ev.has_trait) {
    line("Trait: no model or no phenotype file: not checked");
  } else {
    const TraitTest& t = ev.trait;
    const TraitFigures& f = t.pooled;
    line("Trait: %ld phenotypes, mean %.4f, variance %.4f; genotypic variance %.4f (heritability %.3f)",
         f.n, f.phenotype_mean, f.phenotype_variance, f.genotypic_variance,
         f.phenotype_variance > 0 ? f.genotypic_variance / f.phenotype_variance : 0.0);
    line("  environmental variance %.4f against sigma squared %.4f (p = %.3g)", f.environmental_variance,
         t.sigma2, t.environmental_p);
    if (t.environmental_flagged)
      line("FLAG environmental variance: expected sigma squared %.4f, seen %.4f (p = %.3g)", t.sigma2,
           f.environmental_variance, t.environmental_p);
    line("  correlation of genotypic value and environmental deviate %.4f, standard error %.4f (p = %.3g)",
         f.correlation, t.correlation_se, t.correlation_p);
    if (t.correlation_flagged)
      line("FLAG correlation of genotypic value and environmental deviate: expected 0 within %.4f, seen %.4f (p = %.3g)",
           t.correlation_se, f.correlation, t.correlation_p);
    if (f.n_draws > 0)
      line("  environmental deviates against sums of twelve of genodrop's draws: correlation %.4f over %ld individuals",
           f.draws_correlation, f.n_draws);
    for (int r : t.draws_flagged) {
      const TraitFigures& x = c.traits[r];
      line("FLAG %s%senvironmental deviates are genodrop's own draws: expected correlation 0, seen %.4f over %ld "
           "individuals; genodrop and traitsim were seeded in the same second",
           x.replicate.c_str(), x.replicate.empty() ? "" : ": ", x.draws_correlation, x.n_draws);
    }
    if (subject.replicates > 0)
      line("  across %zu replicates: phenotype variance %.4f (sd %.4f, %.4f to %.4f), heritability %.3f (sd %.3f, %.3f to %.3f)",
           c.traits.size(), t.variance_mean, t.variance_sd, t.variance_min, t.variance_max, t.h2_mean,
           t.h2_sd, t.h2_min, t.h2_max);
  }
  if (ev.flags == 0) line("No flag raised.");
  else line("%d flag%s raised.", ev.flags, ev.flags == 1 ? "" : "s");
}

}  // namespace simcheck
