// The trait of one simulation: the genotypic values traitsim added up from the trait loci of
// every chromosome, the environmental deviates the phenotypes leave, and whether those
// deviates are genodrop's own draws.
#include <cmath>

#include "simcheck/checks.hpp"

namespace simcheck {
namespace {

// The genotypic value as traitsim adds it up: over the trait loci (the names with "qtl", the
// loci extract cuts for traitsim) of chromosome 1, then chromosome 2 ..., every model locus of
// the same name, in single precision.
std::vector<double> genotypic_values(const Inputs& in, const Simulation& simulation) {
  const std::int32_t individuals = in.pedigree.count;
  std::vector<double> values(static_cast<std::size_t>(individuals), 0.0);
  const auto& m = in.model;
  for (std::int32_t i = 0; i < individuals; ++i) {
    float sum = 0.0f;
    for (const Genotypes& genotypes : simulation.genotypes)
      for (std::int32_t j = 0; j < genotypes.loci; ++j) {
        const std::string& name = genotypes.names[static_cast<std::size_t>(j)];
        if (name.find("qtl") == std::string::npos) continue;
        for (std::int32_t p = 0; p < m.nloci; ++p) {
          if (std::string(m.model_names[p].view()) != name) continue;
          const std::int32_t a = genotypes.allele(i, j, 0), b = genotypes.allele(i, j, 1);
          if (a >= 1 && a <= traitsim::max_alleles && b >= 1 && b <= traitsim::max_alleles)
            sum = sum + m.values[p][a - 1][b - 1];
        }
      }
    values[static_cast<std::size_t>(i)] = sum;
  }
  return values;
}

double correlation(const std::vector<double>& x, const std::vector<double>& y, std::size_t n) {
  double mx = 0, my = 0;
  for (std::size_t i = 0; i < n; ++i) mx += x[i], my += y[i];
  mx /= static_cast<double>(n), my /= static_cast<double>(n);
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
  m /= static_cast<double>(x.size());
  for (double v : x) ss += (v - m) * (v - m);
  return ss / static_cast<double>(x.size() - 1);
}

// How far a correlation r over n pairs is from none: its t statistic.
double t_statistic(double r, std::size_t n) {
  if (n < 3) return 0;
  return std::fabs(r) >= 1 ? HUGE_VAL : std::fabs(r) * std::sqrt(static_cast<double>(n - 2) / (1 - r * r));
}

// traitsim's individual q takes uniforms 12q-11 to 12q of its stream; genodrop's stream on a
// chromosome is the trace's deviates in the order genodrop drew them. Each chromosome's stream
// is compared; the one that comes closest is kept.
void compare_draws(const Inputs& in, const Simulation& simulation, const std::vector<double>& e, TraitFigures& figures) {
  if (in.model.sigma == 0.0f) return;
  for (const Trace& trace : simulation.traces) {
    if (!trace.present) continue;
    std::vector<double> stream;
    stream.reserve(in.draw_order.size() * static_cast<std::size_t>(trace.loci));
    for (auto [row, side] : in.draw_order)
      for (std::int32_t j = 0; j < trace.loci; ++j) stream.push_back(trace.deviate(row, j, side));
    std::vector<double> drawn, seen;
    for (std::size_t q = 0; q < e.size() && 12 * q + 12 <= stream.size(); ++q) {
      double z = -6.0;
      for (std::size_t k = 0; k < 12; ++k) z += stream[12 * q + k];
      drawn.push_back(z);
      seen.push_back(e[q] / in.model.sigma);
    }
    const double r = drawn.size() > 2 ? correlation(drawn, seen, drawn.size()) : 0.0;
    if (figures.draw_streams++ == 0 ||
        t_statistic(r, drawn.size()) > t_statistic(figures.draws_correlation, static_cast<std::size_t>(figures.n_draws))) {
      figures.n_draws = static_cast<std::int64_t>(drawn.size());
      figures.draws_correlation = r;
    }
  }
}

void add_sums(double phenotype, double genotypic, double environmental, Counts& counts) {
  counts.phenotypes.push_back(phenotype);
  counts.genotypic_values.push_back(genotypic);
  Sums& s = counts.sums;
  s.n += 1;
  s.p += phenotype, s.pp += phenotype * phenotype;
  s.g += genotypic, s.gg += genotypic * genotypic;
  s.e += environmental, s.ee += environmental * environmental, s.ge += genotypic * environmental;
}

}  // namespace

void add_trait(const Inputs& in, const Simulation& simulation, const std::string& replicate, Counts& counts) {
  const std::vector<double>& phenotypes = simulation.phenotypes.values;
  const std::vector<double> gv = genotypic_values(in, simulation);
  const std::size_t n = phenotypes.size();
  std::vector<double> e(n);
  TraitFigures figures;
  figures.replicate = replicate;
  figures.n = static_cast<std::int64_t>(n);
  for (std::size_t i = 0; i < n; ++i) {
    e[i] = phenotypes[i] - gv[i];
    figures.phenotype_mean += phenotypes[i];
    add_sums(phenotypes[i], gv[i], e[i], counts);
  }
  if (n > 0) figures.phenotype_mean /= static_cast<double>(n);
  figures.phenotype_variance = variance(phenotypes);
  figures.genotypic_variance = variance(gv);
  figures.environmental_variance = variance(e);
  if (n > 2) figures.correlation = correlation(gv, e, n);
  compare_draws(in, simulation, e, figures);
  counts.traits.push_back(figures);
}

}  // namespace simcheck
