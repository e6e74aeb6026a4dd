#include "traitsim/unmatched_loci.hpp"

#include <cstdio>
#include <string>

namespace traitsim {

void warn_unmatched_loci(const Locides& locides, std::string_view qtl_name) {
  for (std::int32_t p = 0; p < locides.nloci; ++p) {
    bool matched = false;
    for (std::int32_t b = 0; b < locides.nqtl && !matched; ++b)
      matched = locides.model_names[p] == locides.qtl_names[b];
    if (matched) continue;
    const std::string name(locides.model_names[p].trimmed());
    std::fprintf(stderr,
                 "traitsim: model locus %s matches no locus of %.*s, so it adds nothing to "
                 "the trait\n",
                 name.c_str(), static_cast<int>(qtl_name.size()), qtl_name.data());
  }
}

}  // namespace traitsim
