#include "orpd.hpp"

#include "exchange.hpp"
#include "group.hpp"
#include "missing_id.hpp"
#include "renumber.hpp"
#include "values.hpp"

namespace famorder {

OrpdOutcome orpd(PedTable& table) {
  OrpdOutcome out;
  auto& records = table.oldped;

  rawped::MissingIdNamer namer;
  for (auto& rec : records) {
    rec.ped = 0;
    rec.oldid = namer.name(rec.id);
  }
  const std::int64_t spare = first_spare(records);

  const ValueNumbers values = number_values(records);
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
  PedTable ordered;
  std::vector<std::array<std::uint32_t, 3>> keys;
  ordered.oldped.reserve(records.size());
  ordered.line.reserve(records.size());
  keys.reserve(records.size());
  for (const std::uint32_t r : order) {
    ordered.oldped.push_back(records[r]);
    ordered.line.push_back(table.line.empty() ? 0 : table.line[r]);
    keys.push_back(values.key[r]);
  }
  table = std::move(ordered);

  Unfit unfit;
  if (!renumber(table.oldped, keys, values.value, spare, unfit)) {
    out.kind = OrpdOutcome::Kind::unfit;
    out.row = unfit.row;
    out.column = unfit.mother ? Column::nmat : Column::nfat;
    out.value = unfit.value;
  }
  return out;
}

}  // namespace famorder
