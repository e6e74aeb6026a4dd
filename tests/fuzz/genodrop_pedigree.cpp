// genodrop's numbered pedigree reader, then founders and meiosis on a fixed chromosome with the
// pedigree read.
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
  static const bool chromosome_read = [] {
    const std::string name = fuzz::write_scratch("chr.wrk", fuzz::chromosome_file);
    return !genodrop::read_chromosome(name, locides);
  }();
  fuzz::expect(chromosome_read, "the fixed chromosome file refused");
  const std::string pedigree_name = fuzz::write_scratch("pe2.wrk", fuzz::as_text(data, size));
  pedigree = {};
  try {
    if (const auto stop = genodrop::read_pedigree(pedigree_name, pedigree)) {
      fuzz::expect(!stop->text.empty(), "a refused pedigree without a message");
      return 0;
    }
    fuzz::expect(pedigree.count >= 0 && pedigree.count <= genodrop::max_individuals,
                 "individual count out of range");
    fuzz::expect(pedigree.blocks >= 0 && pedigree.blocks <= genodrop::max_blocks,
                 "block count out of range");
    fuzz::simulate_and_check(locides, pedigree, genotypes, gent, pedigree_name);
  } catch (const fuzz::Refusal& refusal) {
    fuzz::expect(refusal.kind == fuzz::Refusal::Kind::diagnostic, "a stop outside the driver");
    fuzz::after_refusal();
  }
  return 0;
}
