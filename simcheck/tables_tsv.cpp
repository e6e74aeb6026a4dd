// The tables, tab-separated with a header line, for R's read.delim or a spreadsheet. The rows
// of a study of several chromosomes follow the chromosomes' order; locus names tell them apart.
#include <cstdio>
#include <memory>
#include <string>

#include "simcheck/report.hpp"

namespace simcheck {
namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File open_table(const std::string& path) { return File(std::fopen(path.c_str(), "w"), &std::fclose); }

long long wide(std::int64_t value) { return static_cast<long long>(value); }

void frequency_rows(std::FILE* f, const Inputs& in, const Counts& c, const Evaluation& ev) {
  std::fprintf(f, "locus\tpopulation\tallele\texpected\tseen\tcount\tfounder_alleles\tchi_square\tdf\tp\tflagged\n");
  for (const auto& t : ev.frequencies) {
    const Chromosome& chromosome = in.chromosomes[t.chromosome];
    const auto& expected = chromosome.frequency[static_cast<std::size_t>(t.locus)][static_cast<std::size_t>(t.population)];
    const auto& seen =
        c.chromosomes[t.chromosome].founder_alleles[static_cast<std::size_t>(t.locus)][static_cast<std::size_t>(t.population)];
    for (std::size_t a = 0; a < expected.size(); ++a)
      std::fprintf(f, "%s\t%d\t%zu\t%.6g\t%.6g\t%lld\t%lld\t%.6g\t%d\t%.6g\t%s\n", chromosome.locus_name(t.locus).c_str(),
                   t.population + 1, a + 1, expected[a], static_cast<double>(seen[a]) / static_cast<double>(t.alleles),
                   wide(seen[a]), wide(t.alleles), t.chi_square, t.df, t.p, t.flagged ? "yes" : "no");
  }
}

void recombination_rows(std::FILE* f, const Inputs& in, const Evaluation& ev) {
  std::fprintf(f, "from\tto\tdistance_cM\texpected\tmeioses\trecombinants\tseen\tlow95\thigh95\t"
                  "typed_meioses\ttyped_recombinants\ttyped_seen\ttyped_low95\ttyped_high95\tp\ttyped_p\tflagged\n");
  for (const auto& t : ev.intervals) {
    const Chromosome& chromosome = in.chromosomes[t.chromosome];
    std::fprintf(f, "%s\t%s\t%.6g\t%.6g\t%lld\t%lld\t%.6g\t%.6g\t%.6g\t%lld\t%lld\t%.6g\t%.6g\t%.6g\t%.6g\t%.6g\t%s\n",
                 chromosome.locus_name(t.locus - 1).c_str(), chromosome.locus_name(t.locus).c_str(), t.distance,
                 t.expected, wide(t.meioses), wide(t.recombinants), t.observed.value, t.observed.low, t.observed.high,
                 wide(t.typed_meioses), wide(t.typed_recombinants), t.typed.value, t.typed.low, t.typed.high, t.p,
                 t.typed_p, t.flagged ? "yes" : "no");
  }
}

void heterozygosity_rows(std::FILE* f, const Inputs& in, const Evaluation& ev) {
  std::fprintf(f, "marker\texpected\tseen_founders\tfounders\tseen_all\tp\tflagged\n");
  for (const auto& t : ev.markers)
    std::fprintf(f, "%s\t%.6g\t%.6g\t%lld\t%.6g\t%.6g\t%s\n", in.chromosomes[t.chromosome].locus_name(t.locus).c_str(),
                 t.expected, t.founders_observed, wide(t.founders), t.all_observed, t.p, t.flagged ? "yes" : "no");
}

void fault_rows(std::FILE* f, const Counts& c) {
  std::fprintf(f, "replicate\trecord\tid\tfault\n");
  for (const auto& x : c.faults)
    std::fprintf(f, "%s\t%d\t%s\t%s\n", x.replicate.empty() ? "-" : x.replicate.c_str(), x.row, x.id.c_str(),
                 x.what.c_str());
}

void trait_row(std::FILE* f, const TraitFigures& x, double sigma2) {
  std::fprintf(f, "%s\t%lld\t%.6g\t%.6g\t%.6g\t%.6g\t%.6g\t%.6g\t%.6g\t%lld\t%.6g\n",
               x.replicate.empty() ? "simulation" : x.replicate.c_str(), wide(x.n), x.phenotype_mean,
               x.phenotype_variance, x.genotypic_variance, x.environmental_variance, sigma2,
               x.phenotype_variance > 0 ? x.genotypic_variance / x.phenotype_variance : 0.0, x.correlation,
               wide(x.n_draws), x.draws_correlation);
}

void trait_rows(std::FILE* f, const Counts& c, const Evaluation& ev) {
  std::fprintf(f, "replicate\tindividuals\tphenotype_mean\tphenotype_variance\tgenotypic_variance\t"
                  "environmental_variance\tsigma_squared\theritability\tcorrelation_g_e\t"
                  "draws_compared\tdraws_correlation\n");
  if (!ev.has_trait) return;
  for (const auto& x : c.traits) trait_row(f, x, ev.trait.sigma2);
  if (c.traits.size() > 1) trait_row(f, ev.trait.pooled, ev.trait.sigma2);
}

}  // namespace

outcome::Outcome write_tables(const std::string& folder, const Inputs& in, const Counts& c, const Evaluation& ev) {
  const std::string names[] = {"frequencies.tsv", "recombination.tsv", "heterozygosity.tsv", "faults.tsv",
                               "trait.tsv"};
  File files[] = {open_table(folder + "/" + names[0]), open_table(folder + "/" + names[1]),
                  open_table(folder + "/" + names[2]), open_table(folder + "/" + names[3]),
                  open_table(folder + "/" + names[4])};
  for (int k = 0; k < 5; ++k)
    if (!files[k]) return outcome::stop("cannot write " + folder + "/" + names[k]);
  frequency_rows(files[0].get(), in, c, ev);
  recombination_rows(files[1].get(), in, ev);
  heterozygosity_rows(files[2].get(), in, ev);
  fault_rows(files[3].get(), c);
  trait_rows(files[4].get(), c, ev);
  for (auto& file : files) {
    if (std::ferror(file.get()) || std::fclose(file.release()) != 0)
      return outcome::stop("cannot write the tables in " + folder);
  }
  return std::nullopt;
}

}  // namespace simcheck
