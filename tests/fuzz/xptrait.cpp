// xp-trait's readers of the numbered pedigree and the phenotype file, through the whole
// join into a SOLAR phenotype file. Input: the pedigree, a line "%%", the phenotype file.
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/files/output_file.hpp"
#include "common/freeform/item_stream.hpp"
#include "tests/fuzz/refusal.hpp"
#include "tests/fuzz/scratch.hpp"
#include "xp-trait/solar_phenotypes.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::TwoFiles files = fuzz::split_two(fuzz::as_text(data, size));
  const std::string pedigree_name = fuzz::write_scratch("pe2.wrk", files.first);
  const std::string phenotypes_name = fuzz::write_scratch("phtypes.wrk", files.second);
  std::FILE* pedigree = std::fopen(pedigree_name.c_str(), "r");
  std::FILE* phenotypes = std::fopen(phenotypes_name.c_str(), "r");
  fuzz::expect(pedigree != nullptr && phenotypes != nullptr, "cannot open the scratch files");
  {
    freeform::ItemStream pedigree_items(pedigree);
    freeform::ItemStream phenotype_items(phenotypes);
    files::OutputFile out;
    fuzz::expect(out.open("/dev/null"), "cannot open /dev/null");
    const outcome::Outcome problem = xptrait::write_solar_phenotypes(
        {phenotype_items, phenotypes_name}, {pedigree_items, pedigree_name}, out);
    fuzz::expect(out.close(), "cannot write to /dev/null");
    (void)problem;
  }
  std::fclose(phenotypes);
  std::fclose(pedigree);
  return 0;
}
