#include "xp-geno/solar_markers.hpp"

#include <cstdint>

#include "common/freeform/numbered_ids.hpp"
#include "xp-geno/marker_file.hpp"

namespace xpgeno {

outcome::Outcome write_solar_markers(Input pedigree, Input markers, files::OutputFile& out) {
  if (auto problem = freeform::skip_pedigree_header(pedigree.items, pedigree.name)) {
    return problem;
  }
  MarkerCounts counts;
  if (auto problem = read_marker_counts(markers.items, markers.name, counts)) {
    return problem;
  }

  char text[name_buffer];
  std::size_t length = 0;
  LongName long_name;
  out.text("id");
  for (std::int64_t j = 1; j <= counts.markers; ++j) {
    auto problem = read_marker_name(markers.items, markers.name, j, counts.markers, text, length);
    if (problem) return problem;
    if (length > genotype_name_chars && long_name.j == 0) {
      long_name = {j, markers.items.item_line(), std::string(text, length)};
    }
    out.character(',');
    out.text({text, length});
  }
  out.character('\n');

  for (std::int64_t k = 1; k <= counts.individuals; ++k) {
    auto problem = freeform::read_identifier(pedigree.items, pedigree.name, k, text, length);
    if (problem) return problem;
    out.text({text, length});
    for (std::int64_t j = 1; j <= counts.markers; ++j) {
      std::int32_t first = 0;
      std::int32_t second = 0;
      problem = read_allele_pair(markers.items, markers.name, k, j, first, second, long_name);
      if (problem) return problem;
      out.character(',');
      out.integer(first);
      out.character('/');
      out.integer(second);
    }
    out.character('\n');
  }
  return {};
}

}  // namespace xpgeno
