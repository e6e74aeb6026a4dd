// xp-geno's readers of the numbered pedigree and the marker genotype file, through the whole
// join into a SOLAR marker file. Input: the pedigree, a line "%%", the marker genotype file.
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/files/output_file.hpp"
#include "common/freeform/item_stream.hpp"
#include "tests/fuzz/refusal.hpp"
#include "tests/fuzz/scratch.hpp"
#include "xp-geno/solar_markers.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::TwoFiles files = fuzz::split_two(fuzz::as_text(data, size));
  const std::string pedigree_name = fuzz::write_scratch("pe2.wrk", files.first);
  const std::string markers_name = fuzz::write_scratch("mark.wrk", files.second);
  std::FILE* pedigree = std::fopen(pedigree_name.c_str(), "r");
  std::FILE* markers = std::fopen(markers_name.c_str(), "r");
  fuzz::expect(pedigree != nullptr && markers != nullptr, "cannot open the scratch files");
  {
    freeform::ItemStream pedigree_items(pedigree);
    freeform::ItemStream marker_items(markers);
    files::OutputFile out;
    fuzz::expect(out.open("/dev/null"), "cannot open /dev/null");
    const outcome::Outcome problem = xpgeno::write_solar_markers(
        {pedigree_items, pedigree_name}, {marker_items, markers_name}, out);
    fuzz::expect(out.close(), "cannot write to /dev/null");
    (void)problem;
  }
  std::fclose(markers);
  std::fclose(pedigree);
  return 0;
}
