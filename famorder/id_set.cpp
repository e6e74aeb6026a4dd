#include "famorder/id_set.hpp"

namespace famorder {

IdSet::IdSet(std::int64_t low, std::int64_t high, std::size_t count) {
  if (count == 0 || low > high) return;
  const std::uint64_t words = static_cast<std::uint64_t>(high - low) / 64 + 1;
  if (words <= 3 * static_cast<std::uint64_t>(count)) {
    low_ = low;
    bits_.assign(static_cast<std::size_t>(words), 0);
    return;
  }
  while ((std::size_t{1} << slot_bits_) < 2 * count) ++slot_bits_;
  slots_.assign(std::size_t{1} << slot_bits_, 0);
}

std::size_t IdSet::slot(std::int32_t id) const {
  return (static_cast<std::uint32_t>(id) * 2654435769u) >> (32 - slot_bits_);
}

bool IdSet::insert(std::int32_t id) {
  if (!bits_.empty()) {
    const std::uint64_t d = static_cast<std::uint64_t>(id - low_);
    std::uint64_t& word = bits_[static_cast<std::size_t>(d >> 6)];
    const std::uint64_t bit = std::uint64_t{1} << (d & 63);
    const bool fresh = (word & bit) == 0;
    word |= bit;
    return fresh;
  }
  if (id == 0) {
    const bool fresh = !zero_;
    zero_ = true;
    return fresh;
  }
  std::size_t i = slot(id);
  while (slots_[i] != 0) {
    if (slots_[i] == id) return false;
    i = (i + 1) & (slots_.size() - 1);
  }
  slots_[i] = id;
  return true;
}

}  // namespace famorder
