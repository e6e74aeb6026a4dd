#include "xp-trait/solar_phenotypes.hpp"

#include <cstdint>

#include "common/freeform/numbered_ids.hpp"
#include "xp-trait/phenotype_file.hpp"

namespace xptrait {

outcome::Outcome write_solar_phenotypes(Input phenotypes, Input pedigree, files::OutputFile& out) {
  std::int32_t count = 0;
  if (auto problem = read_phenotype_count(phenotypes.items, phenotypes.name, count)) {
    return problem;
  }
  if (auto problem = freeform::skip_pedigree_header(pedigree.items, pedigree.name)) {
    return problem;
  }
  out.text("id,QT\n");
  char id[id_buffer];
  std::size_t length = 0;
  for (std::int64_t k = 1; k <= count; ++k) {
    auto problem = freeform::read_identifier(pedigree.items, pedigree.name, k, id, length);
    if (problem) return problem;
    out.text({id, length});
    out.character(',');
    float value = 0;
    problem = read_phenotype(phenotypes.items, phenotypes.name, k, value);
    if (problem) return problem;
    out.fixed6(value);
    out.character('\n');
  }
  return {};
}

}  // namespace xptrait
