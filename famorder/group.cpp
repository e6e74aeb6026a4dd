#include "famorder/group.hpp"

#include <algorithm>
#include <array>
#include <vector>

#include "famorder/disjoint_sets.hpp"
#include "famorder/messages.hpp"
#include "famorder/values.hpp"

namespace famorder {

namespace {

using rawped::PedRecord;

constexpr std::uint32_t none = no_value;

// For one field, the records holding each value, in table order, one list after the other.
// `open` lets a scan jump over records that are already in a pedigree: they never leave it,
// so once passed they can be skipped for good (a next-pointer with path compression).
struct ValueIndex {
  std::vector<std::uint32_t> start;  // list of value v: entries start[v] to start[v+1] - 1
  std::vector<std::uint32_t> entry;  // record positions
  std::vector<std::uint32_t> next;   // entry e: no open record among entries e to next[e] - 1

  // Builds the lists from `key` (a value number per record, none for none) for `values`
  // values, keeping only records for which keep(record) holds.
  template <class Keep>
  void build(const std::vector<std::array<std::uint32_t, 3>>& keys, std::size_t field,
             std::size_t values, Keep keep) {
    start.assign(values + 1, 0);
    for (std::size_t r = 0; r < keys.size(); ++r) {
      if (keys[r][field] != none && keep(r)) ++start[keys[r][field] + 1];
    }
    for (std::size_t v = 0; v < values; ++v) start[v + 1] += start[v];
    entry.resize(start[values]);
    std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
    for (std::size_t r = 0; r < keys.size(); ++r) {
      if (keys[r][field] != none && keep(r)) {
        entry[fill[keys[r][field]]++] = static_cast<std::uint32_t>(r);
      }
    }
    next.resize(entry.size());
    for (std::uint32_t e = 0; e < next.size(); ++e) next[e] = e;
  }

  // The first entry from `e` on, before `end`, whose record is still outside every pedigree;
  // `end` when there is none.
  std::uint32_t first_open(std::uint32_t e, std::uint32_t end,
                           std::span<const PedRecord> records) {
    std::uint32_t found = e;
    while (found < end) {
      if (next[found] != found) {
        found = next[found];
      } else if (records[entry[found]].ped != 0) {
        next[found] = found + 1;
        ++found;
      } else {
        break;
      }
    }
    while (e < found) {
      const std::uint32_t after = next[e];
      next[e] = found;
      e = after;
    }
    return found;
  }
};

// Which index and which of r's values each of ofre's conditions looks up.
enum Index : std::uint8_t { by_id, by_nfat, by_nfat_mothered, by_nmat };
enum Key : std::uint8_t { key_id, key_nfat, key_nmat };
struct Lookup {
  Index index;
  Key key;
};
// Siblings by the mother, siblings by the father (those with a mother given), the mother, the
// father, a second record of r's id, children by the father, children by the mother.
constexpr std::array<Lookup, 7> lookups = {{{by_nmat, key_nmat},
                                             {by_nfat_mothered, key_nfat},
                                             {by_id, key_nmat},
                                             {by_id, key_nfat},
                                             {by_id, key_id},
                                             {by_nfat, key_id},
                                             {by_nmat, key_id}}};

// One call of ofre on the explicit stack.
struct Frame {
  std::uint32_t r;
  std::uint32_t k;   // the record being handled, none between records
  std::uint8_t step; // ofre's next step for k: 1, 2, 4 (then 5), or 6 when done
  std::array<std::uint32_t, lookups.size()> cursor;
};

class Grouper {
 public:
  Grouper(std::span<PedRecord> records, const ValueNumbers& values)
      : records_(records), keys_(values.key) {
    const std::size_t n = values.count;
    auto all = [](std::size_t) { return true; };
    index_[by_id].build(keys_, key_id, n, all);
    index_[by_nfat].build(keys_, key_nfat, n, all);
    index_[by_nfat_mothered].build(keys_, key_nfat, n,
                                   [&](std::size_t r) { return records_[r].nmat != 0; });
    index_[by_nmat].build(keys_, key_nmat, n, all);
  }

  outcome::Outcome run(std::int32_t& numped) {
    numped = 0;
    outcome::Outcome out;
    for (std::uint32_t i = 0; i < records_.size(); ++i) {
      if (records_[i].ped != 0) continue;
      ++numped;
      if (!enter(i, numped, out) || !gather(numped, out)) return out;
    }
    return out;
  }

 private:
  // ofre's first steps for record k: the one-parent check, then its frame on the stack.
  bool enter(std::uint32_t k, std::int32_t numped, outcome::Outcome& out) {
    const PedRecord& rec = records_[k];
    if ((rec.nfat == 0) != (rec.nmat == 0)) {
      out = outcome::stop(one_parent_message(static_cast<std::int32_t>(k)));
      return false;
    }
    records_[k].ped = numped;
    Frame frame{k, none, 6, {}};
    for (std::size_t j = 0; j < lookups.size(); ++j) frame.cursor[j] = range(k, j).first;
    stack_.push_back(frame);
    return true;
  }

  // The entries of lookup j for record r; an empty range where r's value is 0, and for the
  // father's siblings where r has no mother.
  std::pair<std::uint32_t, std::uint32_t> range(std::uint32_t r, std::size_t j) const {
    const Lookup l = lookups[j];
    const std::uint32_t v = keys_[r][l.key];
    if (v == none || (l.index == by_nfat_mothered && keys_[r][key_nmat] == none)) {
      return {0, 0};
    }
    return {index_[l.index].start[v], index_[l.index].start[v + 1]};
  }

  // Runs the frames on the stack to the end: ofre's scan, visiting only the records that
  // one of its steps can act on, in table order.
  bool gather(std::int32_t numped, outcome::Outcome& out) {
    while (!stack_.empty()) {
      Frame& fr = stack_.back();
      if (fr.k == none) {
        std::uint32_t best = none;
        for (std::size_t j = 0; j < lookups.size(); ++j) {
          const auto end = range(fr.r, j).second;
          ValueIndex& ix = index_[lookups[j].index];
          fr.cursor[j] = ix.first_open(fr.cursor[j], end, records_);
          if (fr.cursor[j] < end) best = std::min(best, ix.entry[fr.cursor[j]]);
        }
        if (best == none) {
          stack_.pop_back();
          continue;
        }
        fr.k = best;
        fr.step = 1;
      }
      const PedRecord& r = records_[fr.r];
      const PedRecord& k = records_[fr.k];
      const std::uint32_t kpos = fr.k;
      const std::int32_t b = r.id, f = r.nfat, m = r.nmat;
      bool take = false;
      switch (fr.step) {
        case 1:  // siblings
          fr.step = 2;
          if (m != 0 && k.nmat != 0 && (m == k.nmat || f == k.nfat)) {
            take = true;
            break;
          }
          [[fallthrough]];
        case 2:  // k is a parent of r
          fr.step = 4;
          if (k.id != 0 && (k.id == m || k.id == f)) {
            take = true;
            break;
          }
          [[fallthrough]];
        case 4:  // the same id twice, then k is a child of r
          fr.step = 6;
          if (b == 0) break;
          if (k.id == b) {
            out = outcome::stop(same_id_message(b));
            return false;
          }
          take = k.nfat == b || k.nmat == b;
          break;
        default:
          break;
      }
      if (fr.step == 6 && !take) fr.k = none;
      // fr is not used past here: entering k may move the stack.
      if (take && !enter(kpos, numped, out)) return false;
    }
    return true;
  }

  std::span<PedRecord> records_;
  const std::vector<std::array<std::uint32_t, 3>>& keys_;
  std::array<ValueIndex, 4> index_;
  std::vector<Frame> stack_;
};

}  // namespace

namespace {

// ofre can fail only on a record with exactly one parent or on an id that two records hold.
bool may_fail(const ValueNumbers& values) {
  std::vector<std::uint8_t> held(values.count, 0);
  for (const auto& key : values.key) {
    if ((key[key_nfat] == none) != (key[key_nmat] == none)) return true;
    if (key[key_id] != none && held[key[key_id]]++ != 0) return true;
  }
  return false;
}

// Where ofre cannot fail, a pedigree is exactly a connected part of its relation (siblings by
// the mother, siblings by the father among records with a mother given, parent and child),
// which is symmetric; and pedigrees are numbered by their first record. Union-find gives that
// without following ofre's order.
std::int32_t group_parts(std::span<PedRecord> records, const ValueNumbers& values) {
  const std::size_t n = records.size();
  DisjointSets parts;
  parts.reset(static_cast<std::uint32_t>(n));

  // The record that the children of a value are joined to, as mothers and as fathers: the
  // record carrying the value as its id, which is a parent of them all; where there is none,
  // the first of them, since they are siblings all the same.
  const std::size_t v = values.count;
  std::vector<std::uint32_t> joined_to(2 * v, none);
  const std::span<std::uint32_t> by_mother(joined_to.data(), v), by_father(joined_to.data() + v, v);
  for (std::uint32_t r = 0; r < n; ++r) {
    if (const std::uint32_t id = values.key[r][key_id]; id != none) by_mother[id] = by_father[id] = r;
  }
  auto join = [&parts](std::uint32_t r, std::uint32_t& joined) {
    if (joined == none) {
      joined = r;
    } else {
      parts.unite(r, joined);
    }
  };
  for (std::uint32_t r = 0; r < n; ++r) {
    const std::uint32_t m = values.key[r][key_nmat];
    if (m == none) continue;  // no parents at all: linked only as somebody's parent
    join(r, by_mother[m]);
    join(r, by_father[values.key[r][key_nfat]]);
  }

  // Every ped is 0 still; a part's number is kept in the ped of its representative.
  std::int32_t numped = 0;
  for (std::uint32_t r = 0; r < n; ++r) {
    PedRecord& representative = records[parts.find(r)];
    if (representative.ped == 0) representative.ped = ++numped;
    records[r].ped = representative.ped;
  }
  return numped;
}

}  // namespace

outcome::Outcome group_pedigrees(std::span<PedRecord> records, const ValueNumbers& values,
                                 std::int32_t& numped) {
  if (may_fail(values)) return Grouper(records, values).run(numped);
  numped = group_parts(records, values);
  return std::nullopt;
}

}  // namespace famorder
