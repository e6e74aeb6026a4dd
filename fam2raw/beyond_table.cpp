#include "fam2raw/beyond_table.hpp"

#include <cstdint>

#include "common/outcome/beyond_table.hpp"
#include "famorder/disjoint_sets.hpp"
#include "genodrop/tables.hpp"

namespace fam2raw {

std::string beyond_table_note(const std::vector<RawRecord>& records) {
  const auto count = static_cast<long long>(records.size());
  if (count > genodrop::max_individuals)
    return outcome::beyond_table("fam2raw", "the pedigree", count, "individuals", genodrop::max_individuals,
                                 "genodrop's");
  famorder::DisjointSets pedigrees;
  pedigrees.reset(static_cast<std::uint32_t>(records.size()));
  long long blocks = count;
  for (std::size_t k = 0; k < records.size(); ++k)
    for (const int parent : {records[k].father, records[k].mother})
      if (parent > 0 && pedigrees.find(static_cast<std::uint32_t>(k)) !=
                            pedigrees.find(static_cast<std::uint32_t>(parent - 1))) {
        pedigrees.unite(static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(parent - 1));
        --blocks;
      }
  if (blocks <= genodrop::max_blocks) return {};
  return outcome::beyond_table("fam2raw", "the pedigree", blocks, "family blocks", genodrop::max_blocks,
                               "genodrop's");
}

}  // namespace fam2raw
