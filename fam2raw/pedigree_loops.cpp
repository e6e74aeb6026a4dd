#include "fam2raw/pedigree_loops.hpp"

#include <cstdint>
#include <utility>

namespace fam2raw {

namespace {

enum class Visit : std::uint8_t { fresh, on_path, done };

int parent_of(const RawRecord& r, int which) { return which == 0 ? r.father : r.mother; }

// "a (line 3) has father b (line 4), who has mother a": the loop from path[from] round to it.
std::string describe(const std::vector<FamRow>& rows, const std::vector<RawRecord>& records,
                     const std::vector<std::pair<std::size_t, int>>& path, std::size_t from) {
  const FamRow& first = rows[path[from].first];
  std::string text = first.id + " (line " + std::to_string(first.line) + ")";
  const std::size_t steps = path.size() - from;
  for (std::size_t s = 0; s < steps && s < max_loop_steps; ++s) {
    const std::size_t v = path[from + s].first;
    const int which = path[from + s].second - 1;  // the link taken from v
    const std::size_t parent = static_cast<std::size_t>(parent_of(records[v], which) - 1);
    text += std::string(s == 0 ? " has " : ", who has ") + (which == 0 ? "father " : "mother ") +
            rows[parent].id;
    if (s + 1 < steps) text += " (line " + std::to_string(rows[parent].line) + ")";
  }
  if (steps > max_loop_steps)
    text += ", and so on for " + std::to_string(steps - max_loop_steps) + " more generations";
  return text;
}

}  // namespace

void find_pedigree_loops(const std::vector<FamRow>& rows, const std::vector<RawRecord>& records,
                         const std::string& name, Problems& problems) {
  const std::size_t n = records.size();
  std::vector<Visit> visit(n, Visit::fresh);
  std::vector<std::size_t> place(n, 0);  // where a record on the path stands in it
  // The walk up the parent links, by an explicit stack: a chain of 99,999 generations must not
  // exhaust the call stack. Each entry is a record and the number of its links taken so far.
  std::vector<std::pair<std::size_t, int>> path;
  for (std::size_t start = 0; start < n; ++start) {
    if (visit[start] != Visit::fresh) continue;
    path.push_back({start, 0});
    visit[start] = Visit::on_path;
    place[start] = 0;
    while (!path.empty()) {
      auto& [v, taken] = path.back();
      if (taken == 2) {
        visit[v] = Visit::done;
        path.pop_back();
        continue;
      }
      const int parent = parent_of(records[v], taken++);
      if (parent <= 0) continue;
      const auto p = static_cast<std::size_t>(parent - 1);
      if (visit[p] == Visit::on_path) {
        const FamRow& first = rows[p];
        problems.add(first.line, where(name, first.line) +
                                     "individual " + first.id + " of family " + first.family +
                                     " is its own ancestor: " +
                                     describe(rows, records, path, place[p]));
      } else if (visit[p] == Visit::fresh) {
        visit[p] = Visit::on_path;
        place[p] = path.size();
        path.push_back({p, 0});
      }
    }
  }
}

}  // namespace fam2raw
