#include "simcheck/checks.hpp"

#include <cmath>

namespace simcheck {
namespace {

std::string locus_name(const Inputs& in, int j) {
  return std::string(in.loci.names[j].trimmed());
}

void add_fault(Counts& c, long& count, Fault fault) {
  fault.trace = &count == &c.trace_faults;
  ++count;
  if (count <= static_cast<long>(max_listed)) c.faults.push_back(std::move(fault));
}

Fault fault_at(const Inputs& in, const std::string& replicate, int i, std::string what) {
  std::string id(in.pedigree.names[i].trimmed());
  id.erase(0, id.find_first_not_of(' '));
  return {replicate, i + 1, id, std::move(what)};
}

const char* side_word(int s) { return s == 0 ? "paternal" : "maternal"; }

// Mendel and every allele's range. A child's allele on side s must be one of the two alleles
// of the parent on that side: the file is phased, so a maternal allele that only the father
// carries is a fault even where the unphased genotype would pass.
void check_alleles(const Inputs& in, const Genotypes& g, const std::string& rep, Counts& c) {
  for (int i = 0; i < g.individuals; ++i)
    for (int j = 0; j < g.loci; ++j)
      for (int s = 0; s < 2; ++s) {
        const int a = g.allele(i, j, s);
        if (a < 1 || a > in.loci.alleles[j]) {
          add_fault(c, c.mendel_faults,
                    fault_at(in, rep, i, std::string(side_word(s)) + " allele at " + locus_name(in, j) +
                                             ": expected 1 to " + std::to_string(in.loci.alleles[j]) +
                                             ", seen " + std::to_string(a)));
          continue;
        }
        const int p = in.parent[i][s];
        if (p < 0) continue;
        const int x = g.allele(p, j, 0), y = g.allele(p, j, 1);
        if (a != x && a != y)
          add_fault(c, c.mendel_faults,
                    fault_at(in, rep, i, std::string(side_word(s)) + " allele at " + locus_name(in, j) +
                                             ": expected " + std::to_string(x) + " or " + std::to_string(y) +
                                             " (the " + (s == 0 ? "father's" : "mother's") + "), seen " +
                                             std::to_string(a)));
      }
}

void count_founders(const Inputs& in, const Genotypes& g, Counts& c) {
  for (int i = 0; i < g.individuals; ++i) {
    if (in.parent[i][0] >= 0) continue;
    const int q = in.pedigree.records[i].race - 1;
    for (int j = 0; j < g.loci; ++j) {
      const auto& f = in.frequency[j][q];
      double homozygous = 0;
      for (double p : f) homozygous += p * p;
      c.founders[j] += 1;
      c.founders_expected[j] += 1 - homozygous;
      c.founders_expected_variance[j] += (1 - homozygous) * homozygous;
      if (g.allele(i, j, 0) != g.allele(i, j, 1)) c.founders_heterozygous[j] += 1;
      for (int s = 0; s < 2; ++s) {
        const int a = g.allele(i, j, s);
        if (a >= 1 && a <= in.loci.alleles[j]) c.founder_alleles[j][q][a - 1] += 1;
      }
    }
  }
  for (int i = 0; i < g.individuals; ++i)
    for (int j = 0; j < g.loci; ++j) {
      c.all[j] += 1;
      if (g.allele(i, j, 0) != g.allele(i, j, 1)) c.all_heterozygous[j] += 1;
    }
}

// Deviates are written with three decimals: one that close to its threshold could have
// fallen on either side of it.
constexpr double rounding = 0.0005 + 1e-9;

// A trace whose alleles differ from the genotype file's at more than one in this many
// belongs to another genotype file.
constexpr std::size_t max_differing_alleles_per = 10;

// Each meiosis once: which parental haplotype each allele came from, by the genotypes where
// the parent is heterozygous and by the trace's deviates everywhere; the two must agree.
void check_meioses(const Inputs& in, const Genotypes& g, const Trace& t, const std::string& rep,
                   Counts& c) {
  const int loci = g.loci;
  std::vector<int> source(loci);  // 0, 1 from the genotypes; -1 where they cannot tell
  for (int i = 0; i < g.individuals; ++i)
    for (int s = 0; s < 2; ++s) {
      const int p = in.parent[i][s];
      if (p < 0) continue;
      for (int j = 0; j < loci; ++j) {
        const int x = g.allele(p, j, 0), y = g.allele(p, j, 1), a = g.allele(i, j, s);
        source[j] = x == y ? -1 : a == x ? 0 : a == y ? 1 : -1;
        if (j > 0 && source[j] >= 0 && source[j - 1] >= 0) {
          c.typed_meioses[j] += 1;
          if (source[j] != source[j - 1]) c.typed_recombinants[j] += 1;
        }
      }
      if (!t.present) continue;
      // Walk the trace: a deviate at or below its locus's fraction switches the source (at
      // the first locus, from haplotype 1 to 2). Compare at every locus the genotypes tell.
      int last = -1, parity = 0;
      bool doubtful = false, reported = false;
      for (int j = 0; j < loci; ++j) {
        const double u = t.deviate(i, j, s), r = in.haldane[j];
        // Deviates are above 0, so loci at one position never switch, even where the trace
        // rounds a deviate to 0.000.
        const bool switched = r > 0 && u <= r;
        if (j > 0) {
          c.traced_meioses[j] += 1;
          if (switched) c.traced_recombinants[j] += 1;
        }
        if (switched) parity ^= 1;
        if (r > 0 && std::fabs(u - r) < rounding) doubtful = true;
        if (source[j] < 0) continue;
        if (!doubtful && !reported && parity != source[j]) {
          const std::string from = last < 0 ? "the start" : locus_name(in, last);
          add_fault(c, c.trace_faults,
                    fault_at(in, rep, i,
                             std::string(side_word(s)) + " meiosis between " + from + " and " +
                                 locus_name(in, j) + ": expected haplotype " + std::to_string(parity + 1) +
                                 " of the parent at " + locus_name(in, j) +
                                 " (by the trace's deviates), seen haplotype " + std::to_string(source[j] + 1) +
                                 " (in the genotypes)"));
          reported = true;  // one fault per meiosis is enough to find it
        }
        parity = source[j];
        last = j;
        doubtful = false;
      }
    }
}

// The genotypic value as traitsim adds it up: over the trait loci (the names with "qtl", the
// loci extract cuts for traitsim), every model locus of the same name, in single precision.
std::vector<double> genotypic_values(const Inputs& in, const Genotypes& g) {
  std::vector<double> values(g.individuals, 0.0);
  const auto& m = in.model;
  for (int i = 0; i < g.individuals; ++i) {
    float sum = 0.0f;
    for (int j = 0; j < g.loci; ++j) {
      if (g.names[j].find("qtl") == std::string::npos) continue;
      for (int p = 0; p < m.nloci; ++p) {
        if (std::string(m.model_names[p].view()) != g.names[j]) continue;
        const int a = g.allele(i, j, 0), b = g.allele(i, j, 1);
        if (a >= 1 && a <= traitsim::max_alleles && b >= 1 && b <= traitsim::max_alleles)
          sum = sum + m.values[p][a - 1][b - 1];
      }
    }
    values[i] = sum;
  }
  return values;
}

double correlation(const std::vector<double>& x, const std::vector<double>& y, std::size_t n) {
  double mx = 0, my = 0;
  for (std::size_t i = 0; i < n; ++i) mx += x[i], my += y[i];
  mx /= n, my /= n;
  double sxy = 0, sxx = 0, syy = 0;
  for (std::size_t i = 0; i < n; ++i) {
    sxy += (x[i] - mx) * (y[i] - my);
    sxx += (x[i] - mx) * (x[i] - mx);
    syy += (y[i] - my) * (y[i] - my);
  }
  return sxx > 0 && syy > 0 ? sxy / std::sqrt(sxx * syy) : 0.0;
}

double variance(const std::vector<double>& x) {
  if (x.size() < 2) return 0;
  double m = 0, ss = 0;
  for (double v : x) m += v;
  m /= x.size();
  for (double v : x) ss += (v - m) * (v - m);
  return ss / (x.size() - 1);
}

void check_trait(const Inputs& in, const Genotypes& g, const Trace& t, const Phenotypes& ph,
                 const std::string& rep, Counts& c) {
  const std::vector<double> gv = genotypic_values(in, g);
  const std::size_t n = ph.values.size();
  std::vector<double> e(n);
  TraitFigures f;
  f.replicate = rep;
  f.n = static_cast<long>(n);
  for (std::size_t i = 0; i < n; ++i) {
    e[i] = ph.values[i] - gv[i];
    c.phenotypes.push_back(ph.values[i]);
    c.genotypic_values.push_back(gv[i]);
    f.phenotype_mean += ph.values[i];
    c.sums.n += 1;
    c.sums.p += ph.values[i], c.sums.pp += ph.values[i] * ph.values[i];
    c.sums.g += gv[i], c.sums.gg += gv[i] * gv[i];
    c.sums.e += e[i], c.sums.ee += e[i] * e[i], c.sums.ge += gv[i] * e[i];
  }
  if (n > 0) f.phenotype_mean /= n;
  f.phenotype_variance = variance(ph.values);
  f.genotypic_variance = variance(gv);
  f.environmental_variance = variance(e);
  if (n > 2) f.correlation = correlation(gv, e, n);
  // traitsim's individual q takes uniforms 12q-11 to 12q of its stream; genodrop's stream is
  // the trace's deviates in the order genodrop drew them.
  if (t.present && in.model.sigma != 0.0f) {
    std::vector<double> stream;
    stream.reserve(in.draw_order.size() * g.loci);
    for (auto [row, side] : in.draw_order)
      for (int j = 0; j < g.loci; ++j) stream.push_back(t.deviate(row, j, side));
    std::vector<double> drawn, seen;
    for (std::size_t q = 0; q < n && 12 * q + 12 <= stream.size(); ++q) {
      double z = -6.0;
      for (std::size_t k = 0; k < 12; ++k) z += stream[12 * q + k];
      drawn.push_back(z);
      seen.push_back(e[q] / in.model.sigma);
    }
    f.n_draws = static_cast<long>(drawn.size());
    if (drawn.size() > 2) f.draws_correlation = correlation(drawn, seen, drawn.size());
  }
  c.traits.push_back(f);
}

}  // namespace

void start_counts(const Inputs& in, Counts& c) {
  const int loci = in.loci.count;
  c.founder_alleles.assign(loci, {});
  for (int j = 0; j < loci; ++j)
    c.founder_alleles[j].assign(2, std::vector<long>(in.loci.alleles[j], 0));
  for (auto* v : {&c.traced_meioses, &c.traced_recombinants, &c.typed_meioses, &c.typed_recombinants,
                  &c.founders, &c.founders_heterozygous, &c.all, &c.all_heterozygous})
    v->assign(loci, 0);
  c.founders_expected.assign(loci, 0.0);
  c.founders_expected_variance.assign(loci, 0.0);
}

outcome::Outcome check_fit(const Inputs& in, const Genotypes& g, const std::string& file) {
  if (g.individuals != in.pedigree.count)
    return outcome::stop(file + " holds " + std::to_string(g.individuals) + " individuals, the pedigree " +
                         std::to_string(in.pedigree.count));
  if (g.loci != in.loci.count)
    return outcome::stop(file + " holds " + std::to_string(g.loci) + " loci, the chromosome file " +
                         std::to_string(in.loci.count));
  for (int j = 0; j < g.loci; ++j)
    if (g.names[j] != std::string(in.loci.names[j].view()))
      return outcome::stop(file + ": locus " + std::to_string(j + 1) + " is named '" + g.names[j] +
                           "', in the chromosome file '" + std::string(in.loci.names[j].view()) + "'");
  return std::nullopt;
}

outcome::Outcome check_trace_fit(const Inputs& in, const Genotypes& g, const Trace& t,
                                 const std::string& genotype_file, const std::string& trace_file) {
  const std::string other = "the trace file " + trace_file + " does not belong to the genotype file " + genotype_file + ": ";
  const std::string advice = "; genodrop writes gntp.wrk_tmp in the folder it runs in, whatever the genotype file is "
                             "called: name the trace of this genotype file with --trace";
  for (int i = 0; i < g.individuals; ++i) {
    const std::string id(in.pedigree.names[i].view());
    if (t.ids[i] != id) {
      const auto bare = [](const std::string& text) {
        const std::size_t b = text.find_first_not_of(' ');
        return b == std::string::npos ? std::string() : text.substr(b, text.find_last_not_of(' ') + 1 - b);
      };
      return outcome::stop(other + "its record " + std::to_string(i + 1) + " is '" + bare(t.ids[i]) +
                           "', the pedigree's '" + bare(id) + "'" + advice);
    }
  }
  std::size_t differ = 0, first = 0;
  for (std::size_t k = g.alleles.size(); k-- > 0;)
    if (g.alleles[k] != t.alleles[k]) {
      ++differ;
      first = k;
    }
  // One allele in ten: far more than a damaged file shows, far fewer than another run's
  // founders alone change.
  if (differ * max_differing_alleles_per > g.alleles.size()) {
    const std::size_t i = first / 2 / static_cast<std::size_t>(g.loci), j = first / 2 % static_cast<std::size_t>(g.loci);
    return outcome::stop(other + "their alleles differ at " + std::to_string(differ) + " of " +
                         std::to_string(g.alleles.size()) + ", first at record " + std::to_string(i + 1) + ", locus " +
                         std::to_string(j + 1) + advice);
  }
  return std::nullopt;
}

void add_simulation(const Inputs& in, const Genotypes& g, const Trace& t, const Phenotypes& ph,
                    const std::string& rep, Counts& c) {
  c.simulations += 1;
  c.traced = c.traced && t.present;
  check_alleles(in, g, rep, c);
  count_founders(in, g, c);
  check_meioses(in, g, t, rep, c);
  if (in.has_model && ph.present) {
    c.has_trait = true;
    check_trait(in, g, t, ph, rep, c);
  }
}

}  // namespace simcheck
