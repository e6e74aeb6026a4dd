// Whether the result files belong to the inputs and to each other, before anything is counted.
#include "simcheck/checks.hpp"

namespace simcheck {
namespace {

// A trace file whose alleles differ from the genotype file's at more than one in this many
// belongs to another genotype file: far more than a damaged file shows, far fewer than
// another run's founders alone change.
constexpr std::size_t max_differing_alleles_per = 10;

std::string bare(const std::string& text) {
  const std::size_t b = text.find_first_not_of(' ');
  return b == std::string::npos ? std::string() : text.substr(b, text.find_last_not_of(' ') + 1 - b);
}

}  // namespace

outcome::Outcome check_fit(const Inputs& in, const Chromosome& chromosome, const Genotypes& genotypes,
                           const std::string& file) {
  if (genotypes.individuals != in.pedigree.count)
    return outcome::stop(file + " holds " + std::to_string(genotypes.individuals) + " individuals, the pedigree " +
                         std::to_string(in.pedigree.count));
  const genodrop::Locides& loci = *chromosome.loci;
  if (genotypes.loci != loci.count)
    return outcome::stop(file + " holds " + std::to_string(genotypes.loci) + " loci, the chromosome file " +
                         std::to_string(loci.count));
  for (std::int32_t j = 0; j < genotypes.loci; ++j) {
    const std::string name(loci.names[static_cast<std::size_t>(j)].view());
    if (genotypes.names[static_cast<std::size_t>(j)] != name)
      return outcome::stop(file + ": locus " + std::to_string(j + 1) + " is named '" +
                           genotypes.names[static_cast<std::size_t>(j)] + "', in the chromosome file '" + name + "'");
  }
  return std::nullopt;
}

outcome::Outcome check_trace_fit(const Inputs& in, const Genotypes& genotypes, const Trace& trace,
                                 const std::string& genotype_file, const std::string& trace_file) {
  const std::string other = trace_mismatch(trace_file, genotype_file);
  for (std::int32_t i = 0; i < genotypes.individuals; ++i) {
    const std::string id(in.pedigree.names[i].view());
    if (trace.ids[static_cast<std::size_t>(i)] != id)
      return outcome::stop(other + "its record " + std::to_string(i + 1) + " is '" +
                           bare(trace.ids[static_cast<std::size_t>(i)]) + "', the pedigree's '" + bare(id) + "'" +
                           trace_advice());
  }
  std::size_t differ = 0, first = 0;
  for (std::size_t k = genotypes.alleles.size(); k-- > 0;)
    if (genotypes.alleles[k] != trace.alleles[k]) {
      ++differ;
      first = k;
    }
  if (differ * max_differing_alleles_per > genotypes.alleles.size()) {
    const std::size_t loci = static_cast<std::size_t>(genotypes.loci);
    return outcome::stop(other + "their alleles differ at " + std::to_string(differ) + " of " +
                         std::to_string(genotypes.alleles.size()) + ", first at record " + std::to_string(first / 2 / loci + 1) +
                         ", locus " + std::to_string(first / 2 % loci + 1) + trace_advice());
  }
  return std::nullopt;
}

}  // namespace simcheck
