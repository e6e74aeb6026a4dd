// simcheck's readers of a simulation's results: the genotype file (extract's reader behind
// simcheck's line guard), its trace file at the genotype file's counts, and the whole input as a
// phenotype file. Input: the genotype file, a line "%%", the trace file.
#include <cstdint>
#include <string>

#include "simcheck/simulation.hpp"
#include "tests/fuzz/scratch.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::as_text(data, size);
  const fuzz::TwoFiles files = fuzz::split_two(text);
  const std::string genotype_name = fuzz::write_scratch("gntp.wrk", files.first);
  const std::string trace_name = fuzz::write_scratch("gntp.wrk_tmp", files.second);
  simcheck::Genotypes genotypes;
  if (!simcheck::read_genotypes(genotype_name, 4, 3, genotypes)) {
    simcheck::Trace trace;
    (void)simcheck::read_trace(trace_name, genotype_name, genotypes.individuals, genotypes.loci, trace);
  }
  simcheck::Phenotypes phenotypes;
  (void)simcheck::read_phenotypes(fuzz::write_scratch("phtypes.wrk", text), phenotypes);
  return 0;
}
