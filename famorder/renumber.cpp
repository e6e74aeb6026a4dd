#include "renumber.hpp"

#include <algorithm>
#include <limits>
#include <vector>

namespace famorder {

namespace {

// Fields of one pedigree that hold the same value form a class; renaming a value renames its
// class, and renaming onto a value that already has a class merges the two (union-find).
// Ids and parent fields are kept in separate classes, because the last step renames parent
// fields only.
class Classes {
 public:
  void reset(std::size_t fields) {
    parent_.resize(fields);
    size_.assign(fields, 1);
    value_.resize(fields);
    for (std::uint32_t i = 0; i < fields; ++i) parent_[i] = i;
    std::size_t cap = 16;
    while (cap < 2 * (fields + fields / 2 + 2)) cap *= 2;
    for (auto& m : maps_) {
      m.keys.assign(cap, kEmpty);
      m.nodes.resize(cap);
    }
  }

  // Puts field `node` into the class of `value` in map `which` (0: ids, 1: parents).
  void add(int which, std::uint32_t node, std::int64_t value) {
    value_[node] = value;
    if (auto c = lookup(which, value); c != kNone) {
      settle(which, value, unite(c, node));
    } else {
      put(which, value, node);
    }
  }

  // Every field in map `which` that holds `from` now holds `to`.
  void rename(int which, std::int64_t from, std::int64_t to) {
    if (from == to) return;
    const std::uint32_t c = lookup(which, from);
    if (c == kNone) return;
    if (const std::uint32_t d = lookup(which, to); d != kNone) {
      settle(which, to, unite(c, d));
    } else {
      settle(which, to, c);
    }
  }

  std::int64_t value_of(std::uint32_t node) { return value_[find(node)]; }

 private:
  static constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
  static constexpr std::int64_t kEmpty = std::numeric_limits<std::int64_t>::min();

  struct Map {
    std::vector<std::int64_t> keys;
    std::vector<std::uint32_t> nodes;
  };

  std::size_t slot(const Map& m, std::int64_t key) const {
    const std::size_t mask = m.keys.size() - 1;
    std::size_t i = static_cast<std::size_t>(static_cast<std::uint64_t>(key) *
                                              0x9E3779B97F4A7C15ull >> 32) & mask;
    while (m.keys[i] != kEmpty && m.keys[i] != key) i = (i + 1) & mask;
    return i;
  }

  // The class that holds `value` now. A map entry is not removed when its class is renamed;
  // it is stale once the class's value differs from its key.
  std::uint32_t lookup(int which, std::int64_t value) {
    const Map& m = maps_[which];
    const std::size_t i = slot(m, value);
    if (m.keys[i] == kEmpty) return kNone;
    const std::uint32_t c = find(m.nodes[i]);
    return value_[c] == value ? c : kNone;
  }

  void put(int which, std::int64_t value, std::uint32_t node) {
    Map& m = maps_[which];
    const std::size_t i = slot(m, value);
    m.keys[i] = value;
    m.nodes[i] = node;
  }

  void settle(int which, std::int64_t value, std::uint32_t root) {
    value_[root] = value;
    put(which, value, root);
  }

  std::uint32_t find(std::uint32_t x) {
    std::uint32_t root = x;
    while (parent_[root] != root) root = parent_[root];
    while (parent_[x] != root) {
      const std::uint32_t up = parent_[x];
      parent_[x] = root;
      x = up;
    }
    return root;
  }

  std::uint32_t unite(std::uint32_t a, std::uint32_t b) {
    a = find(a);
    b = find(b);
    if (a == b) return a;
    if (size_[a] < size_[b]) std::swap(a, b);
    parent_[b] = a;
    size_[a] += size_[b];
    return a;
  }

  std::vector<std::uint32_t> parent_;
  std::vector<std::uint32_t> size_;
  std::vector<std::int64_t> value_;
  Map maps_[2];
};

}  // namespace

std::int64_t first_spare(std::span<const rawped::PedRecord> records) {
  std::int64_t spare = 0;
  for (const auto& rec : records) {
    if (rec.id >= spare) spare = std::int64_t{rec.id} + 1;
  }
  return spare;
}

bool renumber(std::span<rawped::PedRecord> records, std::int64_t spare, Unfit& unfit) {
  Classes classes;
  constexpr int ids = 0, parents = 1;
  for (std::size_t begin = 0; begin < records.size();) {
    std::size_t end = begin + 1;
    while (end < records.size() && records[end].ped == records[begin].ped) ++end;
    const auto ped = records.subspan(begin, end - begin);
    const std::uint32_t m = static_cast<std::uint32_t>(ped.size());

    // Field nodes: the id of the i-th record is i, its nfat m + i, its nmat 2m + i.
    classes.reset(3 * std::size_t{m});
    for (std::uint32_t i = 0; i < m; ++i) {
      classes.add(ids, i, ped[i].id);
      classes.add(parents, m + i, ped[i].nfat);
      classes.add(parents, 2 * m + i, ped[i].nmat);
    }
    for (std::uint32_t i = 0; i < m; ++i) {
      // A record's id is final once numbered: later steps free only higher numbers. Its
      // node may stay in a class that moves on; nothing reads it again.
      const std::int64_t n = i + 1;
      const std::int64_t c = classes.value_of(i);
      if (c == n || c == 0) continue;
      classes.rename(ids, n, spare);
      classes.rename(parents, n, spare);
      ++spare;
      classes.rename(parents, c, n);
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
