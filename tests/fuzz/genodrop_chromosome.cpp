// genodrop's chromosome reader, then founders and meiosis on a fixed pedigree with the loci read.
#include <cmath>
#include <cstdint>
#include <string>

#include "genodrop/chromosome.hpp"
#include "genodrop/pedigree.hpp"
#include "tests/fuzz/genodrop_fixtures.hpp"
#include "tests/fuzz/refusal.hpp"
#include "tests/fuzz/scratch.hpp"

namespace {

genodrop::Locides locides;
genodrop::Pedigree pedigree;
genodrop::Genotypes genotypes;
genodrop::Gent gent;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string pedigree_name = fuzz::write_scratch("pe2.wrk", fuzz::pedigree_file);
  const std::string chromosome_name = fuzz::write_scratch("chr.wrk", fuzz::as_text(data, size));
  locides = {};
  try {
    if (const auto stop = genodrop::read_chromosome(chromosome_name, locides)) {
      fuzz::expect(!stop->text.empty(), "a refused chromosome file without a message");
      return 0;
    }
    fuzz::expect(locides.count >= 0 && locides.count <= genodrop::max_loci, "locus count out of range");
    for (int j = 0; j < locides.count; ++j)
      fuzz::expect(locides.alleles[j] >= 1 && locides.alleles[j] <= genodrop::max_alleles,
                   "allele count out of range");
    fuzz::expect(!genodrop::read_pedigree(pedigree_name, pedigree), "the fixed pedigree refused");
    fuzz::simulate_and_check(locides, pedigree, genotypes, gent, pedigree_name);
  } catch (const fuzz::Refusal& refusal) {
    fuzz::expect(refusal.kind == fuzz::Refusal::Kind::diagnostic, "a stop outside the driver");
    fuzz::after_refusal();
  }
  return 0;
}
