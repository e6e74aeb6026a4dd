// traitsim's model reader and QTL genotype reader, then the phenotypes from what was read.
// Input: the model file, a line "%%", the QTL genotype file.
#include <cstdint>
#include <string>

#include "tests/fuzz/refusal.hpp"
#include "tests/fuzz/scratch.hpp"
#include "traitsim/model.hpp"
#include "traitsim/model_file.hpp"
#include "traitsim/qtl_file.hpp"
#include "traitsim/tables.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace traitsim;
  const fuzz::TwoFiles files = fuzz::split_two(fuzz::as_text(data, size));
  const std::string model_name = fuzz::write_scratch("model.wrk", files.first);
  const std::string qtl_name = fuzz::write_scratch("qtl.wrk", files.second);
  static Locides locides;
  static Genotypes genotypes;
  locides = {};
  genotypes = {};
  try {
    // The driver stops on any stop these return.
    if (read_model(model_name, locides)) return 0;
    QtlFile qtl = open_qtl_file(qtl_name);
    if (read_qtl_header(qtl, locides, genotypes)) {
      fuzz::after_refusal();
      return 0;
    }
    fuzz::expect(genotypes.n >= 0 && genotypes.n <= max_individuals, "individual count out of range");
    fuzz::expect(locides.nqtl >= 0 && locides.nqtl <= max_qtl_loci, "QTL count out of range");
    read_qtl_names(qtl, locides);
    for (std::int32_t k = 0; k < genotypes.n; ++k) {
      if (read_genotype_line(qtl, locides, genotypes)) {
        fuzz::after_refusal();
        return 0;
      }
      add_genotypic_value(locides, genotypes, k);
    }
    close_qtl_file(qtl);
    add_environment(locides, genotypes);
    (void)first_non_finite(genotypes);
  } catch (const fuzz::Refusal& refusal) {
    fuzz::expect(refusal.kind == fuzz::Refusal::Kind::diagnostic, "a stop outside the driver");
    fuzz::after_refusal();
  }
  return 0;
}
