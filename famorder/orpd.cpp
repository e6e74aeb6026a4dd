#include "orpd.hpp"

#include <type_traits>

#include "exchange.hpp"
#include "group.hpp"
#include "missing_id.hpp"
#include "renumber.hpp"
#include "values.hpp"

namespace famorder {

namespace {

// Puts into place i of each of `vectors` what was at place order[i]. A gather: the reads
// are independent of each other, so the processor can overlap them, which following the
// permutation's cycles in place could not.
template <class... Vectors>
void apply_order(const std::vector<std::uint32_t>& order, Vectors&... vectors) {
  (
      [&](auto& v) {
        std::remove_reference_t<decltype(v)> moved(order.size());
        for (std::size_t i = 0; i < order.size(); ++i) moved[i] = v[order[i]];
        v.swap(moved);
      }(vectors),
      ...);
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
