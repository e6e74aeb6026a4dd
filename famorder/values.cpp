#include "values.hpp"

#include <algorithm>

namespace famorder {

ValueNumbers number_values(std::span<const rawped::PedRecord> records) {
  // Fields as (value, field) pairs, sorted by value: many by counting passes.
  struct Field {
    std::uint32_t biased;  // the value with its sign bit flipped, so unsigned order is signed order
    std::uint32_t where;   // 3 * record + field
  };
  std::vector<Field> fields;
  fields.reserve(3 * records.size());
  for (std::uint32_t r = 0; r < records.size(); ++r) {
    const std::int32_t v[3] = {records[r].id, records[r].nfat, records[r].nmat};
    for (std::uint32_t f = 0; f < 3; ++f) {
      if (v[f] != 0) fields.push_back({static_cast<std::uint32_t>(v[f]) ^ 0x80000000u, 3 * r + f});
    }
  }
  if (fields.size() < (1u << 16)) {
    std::sort(fields.begin(), fields.end(),
              [](const Field& a, const Field& b) { return a.biased < b.biased; });
  } else {
    // Three passes of 11 bits: few enough buckets that their write positions stay in cache.
    std::vector<Field> sorted(fields.size());
    for (const int shift : {0, 11, 22}) {
      std::uint32_t count[2049] = {};
      for (const Field& f : fields) ++count[((f.biased >> shift) & 0x7ffu) + 1];
      for (std::size_t d = 1; d < 2049; ++d) count[d] += count[d - 1];
      for (const Field& f : fields) sorted[count[(f.biased >> shift) & 0x7ffu]++] = f;
      fields.swap(sorted);
    }
  }

  ValueNumbers out;
  out.key.assign(records.size(), {kNoValue, kNoValue, kNoValue});
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i == 0 || fields[i].biased != fields[i - 1].biased) {
      out.value.push_back(static_cast<std::int32_t>(fields[i].biased ^ 0x80000000u));
    }
    out.key[fields[i].where / 3][fields[i].where % 3] =
        static_cast<std::uint32_t>(out.value.size() - 1);
  }
  return out;
}

}  // namespace famorder
