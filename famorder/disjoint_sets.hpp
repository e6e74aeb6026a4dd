// Disjoint sets of the numbers 0 to n-1 (union-find): which records form one pedigree, which
// fields of a pedigree hold one value.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace famorder {

class DisjointSets {
 public:
  // Makes every number from 0 to n-1 a set of its own.
  void reset(std::uint32_t n) {
    parent_.resize(n);
    rank_.assign(n, 0);
    for (std::uint32_t i = 0; i < n; ++i) parent_[i] = i;
  }

  // The representative of x's set, shortening the path to it on the way.
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

  // Joins the sets of a and b, the lower under the higher so that paths stay short (a set of
  // rank r holds at least 2^r numbers, so a byte holds any rank); returns the representative
  // of the joined set.
  std::uint32_t unite(std::uint32_t a, std::uint32_t b) {
    a = find(a);
    b = find(b);
    if (a == b) return a;
    if (rank_[a] < rank_[b]) std::swap(a, b);
    parent_[b] = a;
    if (rank_[a] == rank_[b]) ++rank_[a];
    return a;
  }

 private:
  std::vector<std::uint32_t> parent_;
  std::vector<std::uint8_t> rank_;
};

}  // namespace famorder
