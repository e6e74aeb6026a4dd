// Raw pedigrees of the two benchmark shapes, as record tables.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "common/rawped/record.hpp"

namespace bench {

// Adds one multi-generation pedigree of `size` records (at least 3) to `out`: a founder
// couple, their children, and further generations in which each child marries an incoming
// founder and has children of its own. Ids come from `next_id`, which moves on in uneven steps
// so that raw ids are neither small nor consecutive.
inline void add_family(std::vector<rawped::PedRecord>& out, std::size_t size,
                       std::int32_t& next_id, std::mt19937& rng) {
  const std::size_t begin = out.size();
  auto room = [&] { return size - (out.size() - begin); };
  auto person = [&](std::int32_t fa, std::int32_t mo, std::int32_t sex) {
    rawped::PedRecord r{};
    r.id = next_id;
    next_id += 1 + static_cast<std::int32_t>(rng() % 5);
    r.nfat = fa;
    r.nmat = mo;
    r.race = fa == 0 ? 1 + static_cast<std::int32_t>(rng() % 2) : 0;
    r.sex = sex;
    out.push_back(r);
    return r;
  };
  // The children of one couple: at least one, at most four, while there is room.
  auto children = [&](std::int32_t fa, std::int32_t mo, std::vector<rawped::PedRecord>& next) {
    const std::size_t want = 1 + rng() % 4;
    for (std::size_t k = 0; k < want && room() > 0; ++k) {
      next.push_back(person(fa, mo, 1 + static_cast<std::int32_t>(rng() % 2)));
    }
  };
  std::vector<rawped::PedRecord> current, next;
  const auto fa = person(0, 0, 1), mo = person(0, 0, 2);
  children(fa.id, mo.id, current);
  while (room() > 0 && !current.empty()) {
    next.clear();
    for (const auto& head : current) {
      if (room() < 2) break;
      const auto spouse = person(0, 0, 3 - head.sex);
      const auto& dad = head.sex == 1 ? head : spouse;
      const auto& mum = head.sex == 1 ? spouse : head;
      children(dad.id, mum.id, next);
    }
    if (next.empty()) {  // one record left: one more child of the founders
      children(fa.id, mo.id, next);
    }
    current.swap(next);
  }
  // Within a pedigree, records come roughly by generation, with a little disorder.
  for (std::size_t i = begin; i + 1 < out.size(); ++i) {
    if (rng() % 8 == 0) std::swap(out[i], out[i + 1]);
  }
}

// `records` records in `pedigrees` multi-generation pedigrees, one after another.
inline std::vector<rawped::PedRecord> families(std::size_t records, std::size_t pedigrees,
                                               std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<rawped::PedRecord> out;
  out.reserve(records);
  std::int32_t next_id = 1000;
  for (std::size_t p = 0; p < pedigrees; ++p) {
    const std::size_t size = (records - out.size()) / (pedigrees - p);
    add_family(out, size, next_id, rng);
  }
  return out;
}

// The families of families(), with every raw id replaced by a distinct random six-digit
// number (so neither the order of ids nor their closeness follows the file), and `missing`
// percent of the records left without an id: records that are nobody's parent, as only those
// can go without one.
inline std::vector<rawped::PedRecord> scattered(std::size_t records, std::size_t pedigrees,
                                                std::uint32_t missing, std::uint32_t seed) {
  auto out = families(records, pedigrees, seed);
  std::mt19937 rng(seed + 1);
  std::vector<std::int32_t> pool(900000);
  for (std::size_t i = 0; i < pool.size(); ++i) pool[i] = static_cast<std::int32_t>(100000 + i);
  std::shuffle(pool.begin(), pool.end(), rng);
  // families() hands out ids in increasing order from 1000, so an id's rank is its position.
  std::vector<std::int32_t> ids;
  for (const auto& r : out) ids.push_back(r.id);
  std::sort(ids.begin(), ids.end());
  auto renamed = [&](std::int32_t id) -> std::int32_t {
    if (id == 0) return 0;
    return pool[static_cast<std::size_t>(std::lower_bound(ids.begin(), ids.end(), id) - ids.begin())];
  };
  std::vector<std::uint8_t> parent(ids.size(), 0);
  for (auto& r : out) {
    for (std::int32_t* field : {&r.nfat, &r.nmat}) {
      if (*field != 0) {
        parent[static_cast<std::size_t>(std::lower_bound(ids.begin(), ids.end(), *field) - ids.begin())] = 1;
      }
    }
  }
  std::size_t left = records * missing / 100;
  std::vector<std::size_t> order(out.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), rng);
  std::vector<std::uint8_t> drop(out.size(), 0);
  for (const std::size_t i : order) {
    if (left == 0) break;
    const auto rank = static_cast<std::size_t>(std::lower_bound(ids.begin(), ids.end(), out[i].id) - ids.begin());
    if (parent[rank] == 0 && out[i].nfat != 0) {
      drop[i] = 1;
      --left;
    }
  }
  for (std::size_t i = 0; i < out.size(); ++i) {
    auto& r = out[i];
    r.id = drop[i] != 0 ? 0 : renamed(r.id);
    r.nfat = renamed(r.nfat);
    r.nmat = renamed(r.nmat);
  }
  return out;
}

// `records` records in `pedigrees` big pedigrees, each a long line of descent (every
// generation a child of the one before and a founder spouse, with a few siblings), listed with
// children before their parents and the pedigrees interleaved.
inline std::vector<rawped::PedRecord> chains(std::size_t records, std::size_t pedigrees,
                                             std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<std::vector<rawped::PedRecord>> peds(pedigrees);
  std::int32_t next_id = 1;
  for (std::size_t p = 0; p < pedigrees; ++p) {
    const std::size_t size = records / pedigrees + (p < records % pedigrees ? 1 : 0);
    auto& v = peds[p];
    auto person = [&](std::int32_t fa, std::int32_t mo, std::int32_t sex) {
      rawped::PedRecord r{};
      r.id = next_id++;
      r.nfat = fa;
      r.nmat = mo;
      r.race = fa == 0 ? 1 : 0;
      r.sex = sex;
      v.push_back(r);
      return r.id;
    };
    std::int32_t fa = person(0, 0, 1), mo = person(0, 0, 2);
    while (v.size() < size) {
      const std::int32_t heir = person(fa, mo, 1);
      for (std::uint32_t s = rng() % 3; s > 0 && v.size() < size; --s) person(fa, mo, 2);
      if (v.size() >= size) break;
      fa = heir;
      mo = person(0, 0, 2);
    }
    v.resize(size);
    std::reverse(v.begin(), v.end());
  }
  std::vector<rawped::PedRecord> out;
  out.reserve(records);
  for (std::size_t i = 0; out.size() < records; ++i) {
    for (auto& v : peds) {
      if (i < v.size()) out.push_back(v[i]);
    }
  }
  return out;
}

}  // namespace bench
