#include "fam2raw/raw_pedigree.hpp"

#include <unordered_map>

#include "fam2raw/pedigree_loops.hpp"

namespace fam2raw {

namespace {

std::string key(const std::string& family, const std::string& id) {
  return family + '\n' + id;
}

const char* role_name(int role) { return role == 1 ? "father" : "mother"; }

using RowIndex = std::unordered_map<std::string, std::size_t>;

// The line that first named each row as a parent, and as which parent (1 father, 2 mother).
struct ParentRoles {
  explicit ParentRoles(std::size_t rows) : line(rows, 0), role(rows, 0) {}
  std::vector<long> line;
  std::vector<int> role;
};

// Makes the parent of row `k` in role `r` (1 father, 2 mother) its record's father or mother,
// or reports why it cannot be: not in the family, the row itself, named in the other role
// before, or of the other sex. `at` and `who` start the messages about row k.
void link_parent(const std::vector<FamRow>& rows, std::size_t k, int r, const RowIndex& index,
                 const std::string& at, const std::string& who, ParentRoles& roles,
                 RawPedigree& out, Problems& problems) {
  const FamRow& row = rows[k];
  const std::string& parent = r == 1 ? row.father : row.mother;
  const auto it = index.find(key(row.family, parent));
  if (it == index.end()) {
    problems.add(row.line, at + "the " + role_name(r) + " " + parent + " of " + who +
                               " is not listed in family " + row.family +
                               " (parents are looked up in their child's family;"
                               " --add-missing-parents adds such parents as founders)");
    return;
  }
  const std::size_t p = it->second;
  if (p == k) {
    problems.add(row.line, at + who + " is named as its own " + role_name(r));
    return;
  }
  const FamRow& pr = rows[p];
  const std::string parent_who = "individual " + parent + " of family " + row.family;
  if (roles.role[p] != 0 && roles.role[p] != r) {
    problems.add(row.line, at + parent_who + " is named as " + role_name(r) + ", but line " +
                               std::to_string(roles.line[p]) + " names it as " +
                               role_name(roles.role[p]));
    return;
  }
  if (pr.sex != 0 && pr.sex != r) {
    problems.add(row.line, at + parent_who + " is named as " + role_name(r) +
                               ", but its own line " + std::to_string(pr.line) +
                               " gives sex " + std::to_string(pr.sex));
    return;
  }
  if (roles.role[p] == 0) {
    roles.role[p] = r;
    roles.line[p] = row.line;
    out.records[p].sex = r;
  }
  (r == 1 ? out.records[k].father : out.records[k].mother) = static_cast<int>(p + 1);
}

}  // namespace

void to_raw_pedigree(const std::vector<FamRow>& rows, const std::string& name, RawPedigree& out,
                     Problems& problems) {
  RowIndex index;
  index.reserve(rows.size());
  for (std::size_t k = 0; k < rows.size(); ++k) index.emplace(key(rows[k].family, rows[k].id), k);

  out.records.resize(rows.size());
  for (std::size_t k = 0; k < rows.size(); ++k) {
    out.records[k].id = static_cast<int>(k + 1);
    out.records[k].sex = rows[k].sex;
    out.records[k].race = rows[k].population;
  }
  ParentRoles roles(rows.size());
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const FamRow& row = rows[k];
    if (row.founder()) continue;
    const std::string at = where(name, row.line);
    const std::string who = "individual " + row.id + " of family " + row.family;
    if (row.father == "0" || row.mother == "0") {
      problems.add(
          row.line,
          at + who + " has a " + (row.father == "0" ? "mother" : "father") + " but no " +
          (row.father == "0" ? "father" : "mother") +
          "; the suite needs both parents or none (add the missing one as a founder)");
      continue;
    }
    for (int r = 1; r <= 2; ++r) link_parent(rows, k, r, index, at, who, roles, out, problems);
  }
  find_pedigree_loops(rows, out.records, name, problems);
}

}  // namespace fam2raw
