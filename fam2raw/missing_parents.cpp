#include "fam2raw/missing_parents.hpp"

#include <string>
#include <unordered_set>

namespace fam2raw {

namespace {

std::string key(const std::string& family, const std::string& id) { return family + '\n' + id; }

}  // namespace

std::size_t add_missing_parents(FamTable& table, const Options& options, const std::string& name,
                                Problems& problems) {
  std::unordered_set<std::string> listed;
  listed.reserve(table.rows.size());
  for (const FamRow& row : table.rows) listed.insert(key(row.family, row.id));
  const std::size_t listed_rows = table.rows.size();
  std::size_t added = 0;
  for (std::size_t k = 0; k < listed_rows; ++k) {
    for (int role = 1; role <= 2; ++role) {
      // Copied: push_back below may move the rows.
      const std::string family = table.rows[k].family;
      const std::string parent = role == 1 ? table.rows[k].father : table.rows[k].mother;
      if (parent == "0" || !listed.insert(key(family, parent)).second) continue;
      if (table.rows.size() == max_rows) {
        problems.add(table.rows[k].line,
                     where(name, table.rows[k].line) +
                         "adding the parent " + parent + " of family " + family +
                         " makes more than " + std::to_string(max_rows) +
                         " individuals; famorder numbers at most that many");
        return added;
      }
      FamRow founder;
      founder.family = family;
      founder.id = parent;
      founder.father.assign(1, '0');
      founder.mother.assign(1, '0');
      founder.sex = role;
      founder.population = options.population;
      table.rows.push_back(std::move(founder));
      ++added;
    }
  }
  return added;
}

}  // namespace fam2raw
