#include "simcheck/checks.hpp"

#include <cmath>

namespace simcheck {
namespace {

// The chromosome being counted, with the faults' label.
struct Where {
  const Inputs& in;
  std::size_t index;
  const Chromosome& chromosome;
  const std::string& replicate;
};

void add_fault(Counts& counts, bool trace, Fault fault) {
  ChromosomeCounts& of_chromosome = counts.chromosomes[fault.chromosome];
  std::int64_t& all = trace ? counts.trace_faults : counts.mendel_faults;
  ++(trace ? of_chromosome.trace_faults : of_chromosome.mendel_faults);
  fault.trace = trace;
  if (++all <= static_cast<std::int64_t>(max_listed)) counts.faults.push_back(std::move(fault));
}

Fault fault_at(const Where& at, std::int32_t i, std::string what) {
  std::string id(at.in.pedigree.names[i].trimmed());
  id.erase(0, id.find_first_not_of(' '));
  return {at.replicate, i + 1, id, std::move(what), false, at.index};
}

const char* side_word(int side) { return side == 0 ? "paternal" : "maternal"; }

// Mendel and every allele's range. A child's allele on side s must be one of the two alleles
// of the parent on that side: the file is phased, so a maternal allele that only the father
// carries is a fault even where the unphased genotype would pass.
void check_alleles(const Where& at, const Genotypes& genotypes, Counts& counts) {
  const genodrop::Locides& loci = *at.chromosome.loci;
  for (std::int32_t i = 0; i < genotypes.individuals; ++i)
    for (std::int32_t j = 0; j < genotypes.loci; ++j)
      for (int side = 0; side < 2; ++side) {
        const std::int32_t a = genotypes.allele(i, j, side);
        const std::string allele_at = std::string(side_word(side)) + " allele at " + at.chromosome.locus_name(j);
        if (a < 1 || a > loci.alleles[j]) {
          add_fault(counts, false, fault_at(at, i, allele_at + ": expected 1 to " + std::to_string(loci.alleles[j]) +
                                                  ", seen " + std::to_string(a)));
          continue;
        }
        const std::int32_t p = at.in.parent[static_cast<std::size_t>(i)][side];
        if (p < 0) continue;
        const std::int32_t x = genotypes.allele(p, j, 0), y = genotypes.allele(p, j, 1);
        if (a != x && a != y)
          add_fault(counts, false,
                    fault_at(at, i, allele_at + ": expected " + std::to_string(x) + " or " + std::to_string(y) +
                                        " (the " + (side == 0 ? "father's" : "mother's") + "), seen " +
                                        std::to_string(a)));
      }
}

void count_founders(const Where& at, const Genotypes& genotypes, ChromosomeCounts& counts) {
  const genodrop::Locides& loci = *at.chromosome.loci;
  for (std::int32_t i = 0; i < genotypes.individuals; ++i) {
    if (at.in.parent[static_cast<std::size_t>(i)][0] >= 0) continue;
    const std::size_t q = static_cast<std::size_t>(at.in.pedigree.records[i].race - 1);
    for (std::int32_t j = 0; j < genotypes.loci; ++j) {
      const std::size_t locus = static_cast<std::size_t>(j);
      double homozygous = 0;
      for (double p : at.chromosome.frequency[locus][q]) homozygous += p * p;
      counts.founders[locus] += 1;
      counts.founders_expected[locus] += 1 - homozygous;
      counts.founders_expected_variance[locus] += (1 - homozygous) * homozygous;
      if (genotypes.allele(i, j, 0) != genotypes.allele(i, j, 1)) counts.founders_heterozygous[locus] += 1;
      for (int side = 0; side < 2; ++side) {
        const std::int32_t a = genotypes.allele(i, j, side);
        if (a >= 1 && a <= loci.alleles[j]) counts.founder_alleles[locus][q][static_cast<std::size_t>(a - 1)] += 1;
      }
    }
  }
  for (std::int32_t i = 0; i < genotypes.individuals; ++i)
    for (std::int32_t j = 0; j < genotypes.loci; ++j) {
      counts.all[static_cast<std::size_t>(j)] += 1;
      if (genotypes.allele(i, j, 0) != genotypes.allele(i, j, 1)) counts.all_heterozygous[static_cast<std::size_t>(j)] += 1;
    }
}

// Deviates are written with three decimals: one that close to its threshold could have
// fallen on either side of it.
constexpr double rounding = 0.0005 + 1e-9;

// Which parental haplotype each allele of meiosis (i, side) came from by the genotypes: 0, 1
// where the parent is heterozygous, -1 where they cannot tell; and the recombinants they show.
void read_sources(const Genotypes& genotypes, std::int32_t i, int side, std::int32_t p, std::vector<int>& source,
                  ChromosomeCounts& counts) {
  for (std::int32_t j = 0; j < genotypes.loci; ++j) {
    const std::int32_t x = genotypes.allele(p, j, 0), y = genotypes.allele(p, j, 1), a = genotypes.allele(i, j, side);
    const std::size_t locus = static_cast<std::size_t>(j);
    source[locus] = x == y ? -1 : a == x ? 0 : a == y ? 1 : -1;
    if (j > 0 && source[locus] >= 0 && source[locus - 1] >= 0) {
      counts.typed_meioses[locus] += 1;
      if (source[locus] != source[locus - 1]) counts.typed_recombinants[locus] += 1;
    }
  }
}

// Walks the trace of meiosis (i, side): a deviate at or below its locus's fraction switches
// the source (at the first locus, from haplotype 1 to 2). Compares at every locus the
// genotypes tell; one fault per meiosis is enough to find it.
void walk_trace(const Where& at, const Trace& trace, std::int32_t i, int side, const std::vector<int>& source,
                Counts& counts) {
  ChromosomeCounts& of_chromosome = counts.chromosomes[at.index];
  std::int32_t last = -1;
  int parity = 0;
  bool doubtful = false, reported = false;
  for (std::int32_t j = 0; j < trace.loci; ++j) {
    const std::size_t locus = static_cast<std::size_t>(j);
    const double u = trace.deviate(i, j, side), r = at.chromosome.haldane[locus];
    // Deviates are above 0, so loci at one position never switch, even where the trace
    // rounds a deviate to 0.000.
    const bool switched = r > 0 && u <= r;
    if (j > 0) {
      of_chromosome.traced_meioses[locus] += 1;
      if (switched) of_chromosome.traced_recombinants[locus] += 1;
    }
    if (switched) parity ^= 1;
    if (r > 0 && std::fabs(u - r) < rounding) doubtful = true;
    if (source[locus] < 0) continue;
    if (!doubtful && !reported && parity != source[locus]) {
      const std::string from = last < 0 ? "the start" : at.chromosome.locus_name(last);
      const std::string to = at.chromosome.locus_name(j);
      add_fault(counts, true,
                fault_at(at, i, std::string(side_word(side)) + " meiosis between " + from + " and " + to +
                                    ": expected haplotype " + std::to_string(parity + 1) + " of the parent at " + to +
                                    " (by the trace's deviates), seen haplotype " +
                                    std::to_string(source[locus] + 1) + " (in the genotypes)"));
      reported = true;
    }
    parity = source[locus];
    last = j;
    doubtful = false;
  }
}

// Each meiosis once: which parental haplotype each allele came from, by the genotypes where
// the parent is heterozygous and by the trace's deviates everywhere; the two must agree.
void check_meioses(const Where& at, const Genotypes& genotypes, const Trace& trace, Counts& counts) {
  std::vector<int> source(static_cast<std::size_t>(genotypes.loci));
  for (std::int32_t i = 0; i < genotypes.individuals; ++i)
    for (int side = 0; side < 2; ++side) {
      const std::int32_t p = at.in.parent[static_cast<std::size_t>(i)][side];
      if (p < 0) continue;
      read_sources(genotypes, i, side, p, source, counts.chromosomes[at.index]);
      if (trace.present) walk_trace(at, trace, i, side, source, counts);
    }
}

}  // namespace

void start_counts(const Inputs& in, Counts& counts) {
  counts.chromosomes.assign(in.chromosomes.size(), {});
  for (std::size_t k = 0; k < in.chromosomes.size(); ++k) {
    const genodrop::Locides& loci = *in.chromosomes[k].loci;
    ChromosomeCounts& of_chromosome = counts.chromosomes[k];
    const std::size_t count = static_cast<std::size_t>(loci.count);
    of_chromosome.founder_alleles.assign(count, {});
    for (std::size_t j = 0; j < count; ++j)
      of_chromosome.founder_alleles[j].assign(2, std::vector<std::int64_t>(static_cast<std::size_t>(loci.alleles[j]), 0));
    for (auto* column : {&of_chromosome.traced_meioses, &of_chromosome.traced_recombinants,
                         &of_chromosome.typed_meioses, &of_chromosome.typed_recombinants, &of_chromosome.founders,
                         &of_chromosome.founders_heterozygous, &of_chromosome.all, &of_chromosome.all_heterozygous})
      column->assign(count, 0);
    of_chromosome.founders_expected.assign(count, 0.0);
    of_chromosome.founders_expected_variance.assign(count, 0.0);
  }
}

void add_simulation(const Inputs& in, const Simulation& simulation, const std::string& replicate, Counts& counts) {
  counts.simulations += 1;
  for (std::size_t k = 0; k < in.chromosomes.size(); ++k) {
    const Where at{in, k, in.chromosomes[k], replicate};
    const Genotypes& genotypes = simulation.genotypes[k];
    const Trace& trace = simulation.traces[k];
    counts.traced = counts.traced && trace.present;
    check_alleles(at, genotypes, counts);
    count_founders(at, genotypes, counts.chromosomes[k]);
    check_meioses(at, genotypes, trace, counts);
  }
  if (in.has_model && simulation.phenotypes.present) {
    counts.has_trait = true;
    add_trait(in, simulation, replicate, counts);
  }
}

}  // namespace simcheck
