#include "famorder/orpd.hpp"

#include <tuple>

#include "common/rawped/missing_id.hpp"
#include "famorder/exchange.hpp"
#include "famorder/group.hpp"
#include "famorder/renumber.hpp"
#include "famorder/values.hpp"

namespace famorder {

namespace {

// Puts into place i of each of `vectors` what was at place order[i], following the
// permutation's cycles in place, and leaves `order` the identity. A gather into new vectors
// would touch a second copy of the whole table, and the fresh memory costs more than the
// dependent loads of the cycles; most records move little, so the cycles are short.
template <class... Vectors>
void apply_order(std::vector<std::uint32_t>& order, Vectors&... vectors) {
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] == i) continue;
    const auto held = std::tuple(vectors[i]...);
    std::size_t j = i;
    for (;;) {
      const std::size_t k = order[j];
      order[j] = static_cast<std::uint32_t>(j);
      if (k == i) {
        std::apply([&](const auto&... h) { ((vectors[j] = h), ...); }, held);
        break;
      }
      ((vectors[j] = vectors[k]), ...);
      j = k;
    }
  }
}

}  // namespace

OrpdOutcome orpd(PedTable& table) {
  OrpdOutcome out;
  auto& records = table.oldped;

  rawped::MissingIdNamer namer;
  for (auto& rec : records) {
    rec.ped = 0;
    rec.oldid = namer.name(rec.id);
  }
  const std::int64_t spare = first_spare(records);

  ValueNumbers values = number_values(records);
  const GroupOutcome grouped = group_pedigrees(records, values);
  out.numped = grouped.numped;
  if (grouped.kind == GroupOutcome::Kind::one_parent) {
    out.kind = OrpdOutcome::Kind::one_parent;
    out.position = grouped.position;
    return out;
  }
  if (grouped.kind == GroupOutcome::Kind::same_id) {
    out.kind = OrpdOutcome::Kind::same_id;
    out.id = grouped.id;
    return out;
  }
  if (out.numped > max_pedigrees) {
    out.kind = OrpdOutcome::Kind::too_many_pedigrees;
    return out;
  }

  std::vector<std::uint32_t> order = exchange_order(records, out.numped);
  if (table.line.size() != records.size()) table.line.assign(records.size(), 0);
  apply_order(order, records, table.line, values.key);

  Unfit unfit;
  if (!renumber(records, values.key, values.value, spare, unfit)) {
    out.kind = OrpdOutcome::Kind::unfit;
    out.row = unfit.row;
    out.column = unfit.mother ? Column::nmat : Column::nfat;
    out.value = unfit.value;
  }
  return out;
}

}  // namespace famorder
