#include "orpd.hpp"

#include "exchange.hpp"
#include "group.hpp"
#include "missing_id.hpp"
#include "renumber.hpp"
#include "values.hpp"

namespace famorder {

namespace {

// Moves the elements of each of `vectors` so that place i holds what was at order[i], in
// place, cycle by cycle: the table is the largest thing famorder holds, and a copy would
// double it.
template <class... Vectors>
void apply_order(const std::vector<std::uint32_t>& order, Vectors&... vectors) {
  std::vector<bool> placed(order.size(), false);
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (placed[start]) continue;
    (
        [&](auto& v) {
          auto held = v[start];
          std::size_t at = start;
          while (order[at] != start) {
            v[at] = v[order[at]];
            at = order[at];
          }
          v[at] = held;
        }(vectors),
        ...);
    for (std::size_t at = start; !placed[at]; at = order[at]) placed[at] = true;
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
  if (out.numped > kMaxPedigrees) {
    out.kind = OrpdOutcome::Kind::too_many_pedigrees;
    return out;
  }

  const std::vector<std::uint32_t> order = exchange_order(records, out.numped);
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
