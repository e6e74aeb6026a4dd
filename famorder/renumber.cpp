#include "famorder/renumber.hpp"

#include "famorder/disjoint_sets.hpp"
#include "famorder/values.hpp"

#include <algorithm>
#include <limits>
#include <vector>

namespace famorder {

namespace {

constexpr std::uint32_t none = std::numeric_limits<std::uint32_t>::max();

// Fields of one pedigree that hold the same value form a class; renaming a value renames its
// class, and renaming onto a value that already has a class merges the two. Ids and parent
// fields have classes of their own, because the last step of a numbering step renames parent
// fields only. Each value that can occur has a slot: the numbers 1 to m and
// the m spare numbers this pedigree may use are slots by arithmetic, the other raw values get
// slots once, up front; so no step needs a search.
class Classes {
 public:
  static constexpr int ids = 0, parents = 1;

  // Sets up the classes of the 3m field nodes of a pedigree of `m` records whose spare numbers
  // start at `spare`: node f * m + i is field f (0 id, 1 nfat, 2 nmat) of the i-th record.
  // `raw(f, i)` is the value that field holds at the start and `key(f, i)` its number among
  // `values` distinct values (no_value for 0).
  template <class Raw, class Key>
  void reset(std::uint32_t m, std::int64_t spare, std::size_t values, Raw raw, Key key) {
    const std::size_t fields = 3 * std::size_t{m};
    m_ = m;
    spare_ = spare;
    sets_.reset(static_cast<std::uint32_t>(fields));
    slot_of_.resize(fields);
    slots_.resize(2 * std::size_t{m});
    for (std::uint32_t i = 0; i < m; ++i) {
      slots_[i] = {i + 1, {none, none}};
      slots_[m + i] = {spare + i, {none, none}};
    }
    // Other values get their slots in order of first appearance; the slot of value number
    // v is remembered in other_slot_[v] (0 at the end) for this pedigree only.
    other_slot_.resize(values + 1, none);
    for (std::uint32_t f = 0; f < 3; ++f) {
      for (std::uint32_t i = 0; i < m; ++i) {
        const std::int64_t v = raw(f, i);
        std::uint32_t s = slot(v);
        if (s == none) {
          const std::uint32_t k = key(f, i);
          std::uint32_t& other = other_slot_[k == no_value ? values : k];
          if (other == none) {
            other = static_cast<std::uint32_t>(slots_.size());
            slots_.push_back({v, {none, none}});
            touched_.push_back(&other - other_slot_.data());
          }
          s = other;
        }
        join(f * m + i, s);
      }
    }
    for (const std::size_t t : touched_) other_slot_[t] = none;
    touched_.clear();
  }

  // The slot of number `n` (1 to m) or of the spare number `n`.
  std::uint32_t slot(std::int64_t n) const {
    if (n >= 1 && n <= m_) return static_cast<std::uint32_t>(n - 1);
    if (n >= spare_ && n - spare_ < m_) return static_cast<std::uint32_t>(m_ + (n - spare_));
    return none;
  }

  // The slot of the value that field `node` holds now.
  std::uint32_t slot_of(std::uint32_t node) { return slot_of_[sets_.find(node)]; }
  std::int64_t value_of(std::uint32_t node) { return slots_[slot_of(node)].value; }
  std::int64_t value(std::uint32_t slot) const { return slots_[slot].value; }

  // Every field of kind `which` that holds the value of slot `from` now holds that of `to`.
  void rename(int which, std::uint32_t from, std::uint32_t to) {
    if (from == to) return;
    const std::uint32_t c = slots_[from].cls[which];
    if (c == none) return;
    slots_[from].cls[which] = none;
    const std::uint32_t d = slots_[to].cls[which];
    const std::uint32_t root = d == none ? c : sets_.unite(c, d);
    slots_[to].cls[which] = root;
    slot_of_[root] = to;
  }

 private:
  struct Slot {
    std::int64_t value;
    std::uint32_t cls[2];  // root of the class of ids, of parent fields, holding the value
  };

  // Field nodes below m are ids, the others parent fields.
  void join(std::uint32_t node, std::uint32_t s) {
    const int which = node < m_ ? ids : parents;
    const std::uint32_t c = slots_[s].cls[which];
    const std::uint32_t root = c == none ? node : sets_.unite(c, node);
    slots_[s].cls[which] = root;
    slot_of_[root] = s;
  }

  std::int64_t m_ = 0;
  std::int64_t spare_ = 0;
  DisjointSets sets_;                   // of the field nodes
  std::vector<std::uint32_t> slot_of_;  // per class root
  std::vector<Slot> slots_;
  std::vector<std::uint32_t> other_slot_;
  std::vector<std::size_t> touched_;
};

// A pedigree whose every id is given at most once, and whose every parent is one of its
// records, is numbered by place. Each value then names one record, and a step renames the
// record holding its number n, if any, to the next spare number: that record's raw id was n,
// below every spare number, or an earlier spare number was n, below the next one; so the spare
// is above n and held by nobody, and no step merges two records. A record without an id
// only takes its number: a record still holding that number keeps it until its own step,
// which renames its parent fields with it, since no other field can hold the number by then.
// Every record ends with its place, every parent with its parent's place, and a step takes a
// spare number unless the record has no id or its id is its place already. Returns false, the
// pedigree untouched, where the pedigree is not such a one. `place` holds 0 for every value
// number and is left so.
bool number_by_place(std::span<rawped::PedRecord> ped,
                     std::span<const std::array<std::uint32_t, 3>> keys, std::int64_t& spare,
                     std::vector<std::uint32_t>& place) {
  const std::uint32_t m = static_cast<std::uint32_t>(ped.size());
  auto forget = [&](std::uint32_t upto) {
    for (std::uint32_t i = 0; i < upto; ++i) {
      if (keys[i][0] != no_value) place[keys[i][0]] = 0;
    }
  };
  for (std::uint32_t i = 0; i < m; ++i) {
    const std::uint32_t k = keys[i][0];
    if (k == no_value) continue;
    if (place[k] != 0) {
      forget(i);
      return false;
    }
    place[k] = i + 1;
  }
  bool all_known = true;
  for (std::uint32_t i = 0; i < m; ++i) {
    for (const std::uint32_t k : {keys[i][1], keys[i][2]}) {
      all_known = all_known && (k == no_value || place[k] != 0);
    }
  }
  if (all_known) {
    std::int64_t steps = 0;
    for (std::uint32_t i = 0; i < m; ++i) {
      steps += ped[i].id != 0 && ped[i].id != static_cast<std::int64_t>(i) + 1;
      ped[i].id = static_cast<std::int32_t>(i + 1);
      ped[i].nfat = keys[i][1] == no_value ? 0 : static_cast<std::int32_t>(place[keys[i][1]]);
      ped[i].nmat = keys[i][2] == no_value ? 0 : static_cast<std::int32_t>(place[keys[i][2]]);
    }
    spare += steps;
  }
  forget(m);
  return all_known;
}

}  // namespace

bool renumber(std::span<rawped::PedRecord> records,
              std::span<const std::array<std::uint32_t, 3>> keys,
              std::size_t values, std::int64_t spare, Unfit& unfit) {
  Classes classes;
  std::vector<std::uint32_t> place(values, 0);
  for (std::size_t begin = 0; begin < records.size();) {
    std::size_t end = begin + 1;
    while (end < records.size() && records[end].ped == records[begin].ped) ++end;
    const auto ped = records.subspan(begin, end - begin);
    const std::uint32_t m = static_cast<std::uint32_t>(ped.size());
    if (number_by_place(ped, keys.subspan(begin, m), spare, place)) {
      begin = end;
      continue;
    }

    classes.reset(
        m, spare, values,
        [&](std::uint32_t f, std::uint32_t i) -> std::int64_t {
          return f == 0 ? ped[i].id : f == 1 ? ped[i].nfat : ped[i].nmat;
        },
        [&](std::uint32_t f, std::uint32_t i) { return keys[begin + i][f]; });
    for (std::uint32_t i = 0; i < m; ++i) {
      // A record's id is final once numbered: later steps free only higher numbers. Its
      // node may stay in a class that moves on; nothing reads it again.
      const std::uint32_t n = classes.slot(i + 1);
      const std::uint32_t c = classes.slot_of(i);
      if (c == n || classes.value(c) == 0) continue;
      const std::uint32_t s = classes.slot(spare);
      classes.rename(Classes::ids, n, s);
      classes.rename(Classes::parents, n, s);
      ++spare;
      classes.rename(Classes::parents, c, n);
    }
    for (std::uint32_t i = 0; i < m; ++i) {
      ped[i].id = static_cast<std::int32_t>(i + 1);
      for (const bool mother : {false, true}) {
        const std::int64_t v = classes.value_of((mother ? 2 * m : m) + i);
        if (v > std::numeric_limits<std::int32_t>::max()) {
          unfit = {begin + i, mother, v};
          return false;
        }
        (mother ? ped[i].nmat : ped[i].nfat) = static_cast<std::int32_t>(v);
      }
    }
    begin = end;
  }
  return true;
}

}  // namespace famorder
