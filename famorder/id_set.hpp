// A set of identifiers, for the check that asks whether one stands in the table twice.
// Sorting 100,000 of them to compare neighbours took more time than the numbering itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace famorder {

class IdSet {
 public:
  // A set for up to `count` ids, all of them within [low, high]. Ids within a few million of
  // each other take one bit each over their range; others go into open addressing on at least
  // twice as many slots as ids.
  IdSet(std::int64_t low, std::int64_t high, std::size_t count);

  // Adds `id`; false when it was in the set already.
  bool insert(std::int32_t id);

 private:
  std::size_t slot(std::int32_t id) const;

  std::int64_t low_ = 0;
  std::vector<std::uint64_t> bits_;
  // Open addressing; 0 marks a free slot, so the id 0 is kept apart.
  int slot_bits_ = 1;
  std::vector<std::int32_t> slots_;
  bool zero_ = false;
};

}  // namespace famorder
