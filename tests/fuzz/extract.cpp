// extract's genotype file reader, then both parts rendered from what was read.
#include <cstdint>
#include <string>
#include <string_view>

#include "extract/genotype_file.hpp"
#include "tests/fuzz/refusal.hpp"
#include "tests/fuzz/scratch.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::as_text(data, size);
  extract::GenotypeFile file;
  if (extract::parse_genotype_file("gntp.wrk", text, file)) return 0;
  fuzz::expect(file.loci >= 0 && file.loci <= extract::max_loci, "locus count out of range");
  fuzz::expect(file.individuals >= 0 && file.rows.size() == static_cast<std::size_t>(file.individuals),
               "rows and individual count disagree");
  const auto traits = extract::trait_loci(file);
  const auto markers = extract::marker_loci(file);
  fuzz::expect(traits.size() + markers.size() == static_cast<std::size_t>(file.loci),
               "loci neither trait nor marker");
  std::size_t rendered = 0;
  extract::render_subset(file, markers, [&](std::string_view piece) { rendered += piece.size(); });
  // Handed out in pieces or as one text, the rendering is the same.
  {
    const std::string all = extract::render_subset(file, markers);
    fuzz::expect(all.size() == rendered, "the two renderings differ in length");
  }
  return 0;
}
