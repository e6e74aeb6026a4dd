#include "famorder/beyond_table.hpp"

#include <algorithm>

#include "common/outcome/beyond_table.hpp"
#include "famorder/messages.hpp"

namespace famorder {

std::string beyond_table_note(const outcome::Stop& stop, const PedTable& table) {
  if (stop.text != too_many_pedigrees_message()) return {};
  // The grouping gave every record its pedigree before the count was refused.
  std::int32_t pedigrees = 0;
  for (const auto& record : table.oldped) pedigrees = std::max(pedigrees, record.ped);
  if (pedigrees <= max_pedigrees) return {};
  return outcome::beyond_table("famorder", "the raw pedigree", pedigrees, "pedigrees", max_pedigrees);
}

}  // namespace famorder
