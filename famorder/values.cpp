#include "famorder/values.hpp"

#include <algorithm>
#include <bit>
#include <climits>

namespace famorder {

namespace {

// The set bits of `x`. Inline: without the processor's instruction, which the portable build
// may not assume, std::popcount is a library call apiece.
inline std::uint32_t bits_set(std::uint64_t x) {
  x = x - ((x >> 1) & 0x5555555555555555u);
  x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
  x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0fu;
  return static_cast<std::uint32_t>((x * 0x0101010101010101u) >> 56);
}

// A field's value as the key holds it until it is numbered: the bits of the 32-bit value.
std::int32_t raw(std::uint32_t held) { return static_cast<std::int32_t>(held); }

// The values held in `out.key` lie in [low, low + 64 * words): one bit per possible value,
// and per word of bits the count of values below it, give every value its rank without
// sorting. Raw ids are mostly numbers within a few million of each other, so the bits take
// less room than the fields would, and the lookups stay within a small block of memory.
void number_by_bits(std::int64_t low, std::size_t words, ValueNumbers& out) {
  std::vector<std::uint64_t> bits(words, 0);
  auto offset = [low](std::int32_t v) { return static_cast<std::uint64_t>(v - low); };
  for (const auto& key : out.key) {
    for (const std::uint32_t held : key) {
      if (held != 0) bits[offset(raw(held)) >> 6] |= std::uint64_t{1} << (offset(raw(held)) & 63);
    }
  }
  std::vector<std::uint32_t> below(words);
  std::uint32_t count = 0;
  for (std::size_t w = 0; w < words; ++w) {
    below[w] = count;
    count += bits_set(bits[w]);
  }
  out.count = count;
  for (auto& key : out.key) {
    for (std::uint32_t& held : key) {
      if (held == 0) {
        held = no_value;
        continue;
      }
      const std::uint64_t d = offset(raw(held));
      const std::uint64_t mask = (std::uint64_t{1} << (d & 63)) - 1;
      held = below[d >> 6] + bits_set(bits[d >> 6] & mask);
    }
  }
}

// The same by sorting the fields, for values spread too thinly for the bits.
void number_by_sorting(ValueNumbers& out) {
  // Fields as (value, field) pairs, sorted by value: many by counting passes.
  struct Field {
    std::uint32_t biased;  // the value with its sign bit flipped, so unsigned order is signed order
    std::uint32_t where;   // 3 * record + field
  };
  std::vector<Field> fields;
  fields.reserve(3 * out.key.size());
  for (std::uint32_t r = 0; r < out.key.size(); ++r) {
    for (std::uint32_t f = 0; f < 3; ++f) {
      const std::uint32_t held = out.key[r][f];
      if (held != 0) fields.push_back({held ^ 0x80000000u, 3 * r + f});
      out.key[r][f] = no_value;
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
      // A pass in which every value has the same digit would move nothing.
      if (std::find(count + 1, count + 2049, fields.size()) != count + 2049) continue;
      for (std::size_t d = 1; d < 2049; ++d) count[d] += count[d - 1];
      for (const Field& f : fields) sorted[count[(f.biased >> shift) & 0x7ffu]++] = f;
      fields.swap(sorted);
    }
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i == 0 || fields[i].biased != fields[i - 1].biased) ++out.count;
    out.key[fields[i].where / 3][fields[i].where % 3] = static_cast<std::uint32_t>(out.count - 1);
  }
}

}  // namespace

ValueNumbers number_values(std::span<const rawped::PedRecord> records) {
  // The key takes the fields' values first, so that the table is read once.
  ValueNumbers out;
  out.key.resize(records.size());
  std::int64_t low = INT64_MAX, high = INT64_MIN;
  for (std::size_t r = 0; r < records.size(); ++r) {
    const std::int32_t v[3] = {records[r].id, records[r].nfat, records[r].nmat};
    for (std::size_t f = 0; f < 3; ++f) {
      out.key[r][f] = static_cast<std::uint32_t>(v[f]);
      if (v[f] != 0) {
        low = std::min<std::int64_t>(low, v[f]);
        high = std::max<std::int64_t>(high, v[f]);
      }
    }
  }
  if (low > high) {  // no value at all
    out.key.assign(records.size(), {no_value, no_value, no_value});
    return out;
  }
  // The bits pay where they take at most as much room as sorting the fields would.
  const std::size_t words = static_cast<std::size_t>((high - low) / 64 + 1);
  if (words <= 3 * records.size()) {
    number_by_bits(low, words, out);
  } else {
    number_by_sorting(out);
  }
  return out;
}

}  // namespace famorder
