#include "famorder/orpd.hpp"

#include <tuple>
#include <utility>
#include <vector>

#include "common/rawped/missing_id.hpp"
#include "famorder/exchange.hpp"
#include "famorder/group.hpp"
#include "famorder/messages.hpp"
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

outcome::Outcome orpd(PedTable& table, const std::string& infile, std::int32_t& numped) {
  return orpd(table, number_values(table.oldped), infile, numped);
}

outcome::Outcome orpd(PedTable& table, ValueNumbers values, const std::string& infile,
                      std::int32_t& numped, std::int32_t most) {
  auto& records = table.oldped;

  // The spare numbers of renumber start one above the largest raw id, at 0 when every id is
  // negative.
  rawped::MissingIdNamer namer;
  std::int64_t spare = 0;
  for (auto& rec : records) {
    rec.ped = 0;
    rec.oldid = namer.name(rec.id);
    if (rec.id >= spare) spare = std::int64_t{rec.id} + 1;
  }

  if (auto refused = group_pedigrees(records, values, numped)) return refused;
  if (numped > most) return outcome::stop(too_many_pedigrees_message());

  std::vector<std::uint32_t> order = exchange_order(records, numped);
  std::vector<std::int32_t> lines(records.size());
  for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = table.line_of(order[i]);
  table.line = std::move(lines);
  apply_order(order, records, values.key);

  Unfit unfit;
  if (!renumber(records, values.key, values.count, spare, unfit)) {
    return outcome::stop(unfit_message(unfit.row, unfit.mother ? Column::nmat : Column::nfat,
                                       unfit.value, table, infile));
  }
  return std::nullopt;
}

}  // namespace famorder
