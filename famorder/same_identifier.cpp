#include "famorder/same_identifier.hpp"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>
#include <vector>

#include "common/rawped/missing_id.hpp"
#include "famorder/id_set.hpp"

namespace famorder {

std::optional<SameIdentifier> find_same_identifier(const PedTable& table) {
  const auto& records = table.oldped;
  // Nearly every table has no identifier twice, which a set tells without sorting; only a
  // table that is refused pays for the sort that finds the pair to name.
  std::int64_t low = INT64_MAX, high = INT64_MIN;
  for (const auto& r : records) {
    low = std::min<std::int64_t>(low, r.oldid);
    high = std::max<std::int64_t>(high, r.oldid);
  }
  IdSet seen(low, high, records.size());
  bool twice = false;
  for (const auto& r : records) {
    if (!seen.insert(r.oldid)) {
      twice = true;
      break;
    }
  }
  if (!twice) return std::nullopt;
  // Sorting (identifier, line) pairs brings the records of one identifier together in file
  // order; the table itself is in pedigree order by now.
  std::vector<std::pair<std::int32_t, std::int32_t>> named(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    named[i] = {records[i].oldid, table.line_of(i)};
  }
  std::sort(named.begin(), named.end());
  std::optional<SameIdentifier> found;
  for (std::size_t i = 1; i < named.size(); ++i) {
    if (named[i].first != named[i - 1].first) continue;
    // Only the first two records of an identifier count: a third one stands after them.
    if (i >= 2 && named[i - 2].first == named[i].first) continue;
    const SameIdentifier pair{named[i].first, named[i - 1].second, named[i].second};
    if (!found || std::pair(pair.second_line, pair.first_line) <
                      std::pair(found->second_line, found->first_line)) {
      found = pair;
    }
  }
  return found;
}

std::string same_identifier_message(const SameIdentifier& same, const std::string& infile) {
  return rawped::name_twice_message(infile, same.identifier, same.first_line, same.second_line);
}

}  // namespace famorder
