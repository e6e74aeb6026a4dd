// RANLUX generator state and its operations. Every lag is an integer multiple of 2^-24 in
// [0, 1), so the lags are held as those integers. Numbers are delivered as single-precision
// reals; the only rounding is the padding of small numbers, which must round to nearest in
// float to match the published values.
//
// The generator delivers 24 numbers, then throws p - 24 away (365 at level 4). It is computed
// in its congruential form (lcg_form.hpp): the state is the residue of the lags after the 24
// numbers of the current block, and the next block is one multiplication by b^-p, whose
// digits are the block's numbers. A state set from outside (a seeding, a restored vector) is
// first stepped through one block one step at a time, so that every lag of the later blocks
// is made by the recurrence, as the congruential form needs; a restored state whose lag
// positions are not 14 apart (no generator writes one, but rluxin takes it) is never brought
// to that form and is stepped as a table all along.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/random/lcg_form.hpp"
#include "common/random/random.hpp"

namespace ranlux {

namespace {

constexpr int lags = 24;
constexpr std::int32_t default_seed = 314159265;
constexpr std::int32_t default_level = 3;
constexpr std::int32_t max_level = 4;
constexpr std::array<std::int32_t, max_level + 1> ndskip = {0, 24, 73, 199, 365};
constexpr std::int32_t giga = 1000000000;
constexpr std::int32_t two24 = 1 << 24;
constexpr float twom24 = 1.0f / two24;
constexpr std::int32_t two12 = 1 << 12;

// The published form of the state: lag table, borrow and positions. Positions i24 and j24
// run 1..24; seeds[0] is unused so that the positions index it directly.
struct Table {
  std::array<std::int32_t, lags + 1> seeds{};
  std::int32_t carry = 0;
  int i24 = 24;
  int j24 = 10;
};

// The congruential form of the state at a block of 24 numbers: seq holds x(T-23..T), the lags
// before the block, then the block's numbers x(T+1..T+24), and `numbers` the block as
// delivered. The lags before the block are only needed to pad the block's first nine numbers
// and to write the state out, so after a multiplication they are worked out when first
// asked for.
struct Blocks {
  std::array<std::int32_t, 2 * lags> seq{};
  std::array<float, lags> numbers{};
  bool lags_known = false;
  // The block is made when its first number is asked for (in24 is then 0), so that a caller
  // drawing whole blocks gets them made straight into its own numbers.
  bool pending = false;
  lcg::Residue end{};    // the state after the block, at T+24
  lcg::Residue ahead{};  // the state after the next block, at T+p+24
  int start_i24 = 24;  // the table position i24 at T
};

struct Ranlux {
  Table table;
  Blocks blocks;
  bool in_blocks = false;  // which of the two forms holds the state
  std::int32_t in24 = 0;
  std::int32_t luxlev = default_level;
  std::int32_t nskip = ndskip[default_level];
  std::int32_t kount = 0;
  std::int32_t mkount = 0;
  std::int32_t inseed = 0;
  bool notyet = true;
  // b^-(nskip + 24), the multiplier from block to block, for `multiplier_p`.
  lcg::Multiplier multiplier{};
  std::int32_t multiplier_p = 0;
  int block_shift = 0;  // how far the table positions move from block to block, p mod 24
};

Ranlux g;

// The lag position `p` steps below position `i`, in 1..24.
int below(int i, std::int64_t p) {
  return static_cast<int>(((i - 1 - p) % lags + lags) % lags) + 1;
}

bool standard_positions(const Table& t) { return below(t.i24, 14) == t.j24; }

// One step of x(n) = x(n-10) - x(n-24) - c(n-1) modulo 2^24 on the lag table, returning x(n).
std::int32_t one_step(Table& t) {
  std::int32_t uni = t.seeds[t.j24] - t.seeds[t.i24] - t.carry;
  t.carry = uni < 0 ? 1 : 0;
  if (uni < 0) uni += two24;
  t.seeds[t.i24] = uni;
  t.i24 = t.i24 == 1 ? lags : t.i24 - 1;
  t.j24 = t.j24 == 1 ? lags : t.j24 - 1;
  return uni;
}

// The lags of the table, oldest first: the newest stands just above position i24.
void table_lags(const Table& t, std::int32_t* out) {
  for (int k = 0; k < lags; ++k) out[lags - 1 - k] = t.seeds[(t.i24 + k) % lags + 1];
}

void set_table_lags(Table& t, const std::int32_t* in) {
  for (int k = 0; k < lags; ++k) t.seeds[(t.i24 + k) % lags + 1] = in[lags - 1 - k];
}

const lcg::Multiplier& block_multiplier() {
  const std::int32_t p = g.nskip + lags;
  if (g.multiplier_p != p) {
    g.multiplier = lcg::prepare(lcg::advance_by(static_cast<std::uint64_t>(p)));
    g.multiplier_p = p;
    g.block_shift = p % lags;
  }
  return g.multiplier;
}

// The number delivered for step value `uni`, padded from `pad`, the lag 9 below it, when it
// has fewer than 12 significant bits: zero is never delivered, so a caller may take a
// logarithm.
inline float deliver(std::int32_t uni, std::int32_t pad) {
  float out = static_cast<float>(uni) * twom24;
  if (uni < two12) {
    out = out + twom24 * (static_cast<float>(pad) * twom24);
    if (out == 0.0f) out = twom24 * twom24;
  }
  return out;
}

// The lags before the current block, when they were not yet worked out.
void know_block_lags() {
  Blocks& b = g.blocks;
  if (b.lags_known) return;
  lcg::to_lags(lcg::earlier(b.end), b.seq.data());
  b.lags_known = true;
}

// Pads the block's numbers below 2^-12 (one in 4096), in `numbers`.
void pad_numbers(float* numbers) {
  Blocks& b = g.blocks;
  const std::int32_t* x = b.seq.data() + lags;
  for (int k = 0; k < lags; ++k) {
    if (x[k] >= two12) continue;
    if (k < 9) know_block_lags();
    numbers[k] = deliver(x[k], x[k - 9]);
  }
}

// Brings a table state at the start of a block (in24 = 0, positions 14 apart) to the
// congruential form: its block is stepped, and the state after it taken as a residue. The
// fixed state of all lags 2^24 - 1 with the borrow (residue m) stays a table.
void enter_blocks() {
  Blocks& b = g.blocks;
  table_lags(g.table, b.seq.data());
  std::int32_t carry = g.table.carry;
  for (int k = lags; k < 2 * lags; ++k) {
    std::int32_t uni = b.seq[k - 10] - b.seq[k - lags] - carry;
    carry = uni < 0 ? 1 : 0;
    b.seq[k] = uni < 0 ? uni + two24 : uni;
  }
  const lcg::Residue end = lcg::from_lags(b.seq.data() + lags, carry);
  if (lcg::is_modulus(end)) return;
  b.end = end;
  b.ahead = end;
  lcg::multiply_in_place(block_multiplier(), b.ahead);
  b.lags_known = true;
  b.start_i24 = g.table.i24;
  std::int32_t least = two24;
  for (int k = 0; k < lags; ++k) {
    b.numbers[k] = static_cast<float>(b.seq[lags + k]) * twom24;
    least = std::min(least, b.seq[lags + k]);
  }
  if (least < two12) pad_numbers(b.numbers.data());
  b.pending = false;
  g.in_blocks = true;
}

// Skips the p - 24 numbers after a block and makes the next block, its numbers into
// numbers[0..23].
void next_block(float* numbers) {
  Blocks& b = g.blocks;
  // The block after this one is multiplied out while this one's digits are worked out.
  b.end = b.ahead;
  const std::int32_t least =
      lcg::to_lags_then_multiply(block_multiplier(), b.ahead, b.seq.data() + lags, numbers);
  b.lags_known = false;
  b.pending = false;
  b.start_i24 -= g.block_shift;
  if (b.start_i24 < 1) b.start_i24 += lags;
  if (least < two12) [[unlikely]]
    pad_numbers(numbers);
}

void make_pending_block() {
  if (g.blocks.pending) next_block(g.blocks.numbers.data());
}

void fill_blocks(float* out, std::size_t n, std::int64_t& kount) {
  while (n > 0) {
    if (g.blocks.pending && n >= lags) {
      next_block(out);
      g.blocks.pending = true;
      out += lags;
      n -= lags;
      kount += g.nskip;
      continue;
    }
    make_pending_block();
    const std::size_t left = static_cast<std::size_t>(lags - g.in24);
    const std::size_t take = n < left ? n : left;
    const float* numbers = g.blocks.numbers.data() + g.in24;
    for (std::size_t k = 0; k < take; ++k) out[k] = numbers[k];
    out += take;
    n -= take;
    g.in24 += static_cast<std::int32_t>(take);
    if (g.in24 == lags) {
      g.in24 = 0;
      kount += g.nskip;
      g.blocks.pending = true;
    }
  }
}

void fill_table(float* out, std::size_t n, std::int64_t& kount) {
  for (std::size_t k = 0; k < n; ++k) {
    const std::int32_t uni = one_step(g.table);
    out[k] = deliver(uni, g.table.seeds[g.table.j24]);
    ++g.in24;
    if (g.in24 == lags) {
      g.in24 = 0;
      kount += g.nskip;
      for (std::int32_t s = 0; s < g.nskip; ++s) one_step(g.table);
      if (standard_positions(g.table)) {
        enter_blocks();
        if (g.in_blocks) {
          fill_blocks(out + k + 1, n - k - 1, kount);
          return;
        }
      }
    }
  }
}

// Fills the lags from `jseed` with L'Ecuyer's congruential generator by Schrage's method,
// which keeps every intermediate within 32 bits.
void fill_lags(std::int32_t jseed) {
  for (int i = 1; i <= lags; ++i) {
    std::int32_t k = jseed / 53668;
    jseed = 40014 * (jseed - k * 53668) - k * 12211;
    if (jseed < 0) jseed += 2147483563;
    g.table.seeds[i] = jseed % two24;
  }
  g.table.i24 = 24;
  g.table.j24 = 10;
  g.table.carry = g.table.seeds[24] == 0 ? 1 : 0;
}

// Advances the table (positions 14 apart) by `steps` steps of the recurrence: a few one at a
// time, more by one multiplication by b^-steps.
void advance_table(std::uint64_t steps) {
  Table& t = g.table;
  if (steps < 2 * lags) {
    for (std::uint64_t k = 0; k < steps; ++k) one_step(t);
    return;
  }
  std::int32_t x[lags];
  table_lags(t, x);
  const lcg::Residue z = lcg::from_lags(x, t.carry);
  t.i24 = below(t.i24, static_cast<std::int64_t>(steps % lags));
  t.j24 = below(t.i24, 14);
  // The fixed states keep their lags; every other state's lags after so many steps are the
  // digits of its residue, and the borrow is what the residue holds beyond them.
  if (lcg::is_modulus(z)) return;
  const lcg::Residue later = lcg::multiply(lcg::advance_by(steps), z);
  lcg::to_lags(later, x);
  t.carry = static_cast<std::int32_t>(later[0] - lcg::from_lags(x, 0)[0]);
  set_table_lags(t, x);
}

}  // namespace

void ranlux(std::span<float> rvec) {
  if (g.notyet) {
    g.notyet = false;
    g.inseed = default_seed;
    g.luxlev = default_level;
    g.nskip = ndskip[default_level];
    g.in24 = 0;
    g.kount = 0;
    g.mkount = 0;
    fill_lags(default_seed);
    g.in_blocks = false;
    enter_blocks();
  }
  // Widened so that a long vector cannot overflow the count before it is carried.
  std::int64_t kount = g.kount;
  if (g.in_blocks)
    fill_blocks(rvec.data(), rvec.size(), kount);
  else
    fill_table(rvec.data(), rvec.size(), kount);
  kount += static_cast<std::int64_t>(rvec.size());
  while (kount >= giga) {
    ++g.mkount;
    kount -= giga;
  }
  g.kount = static_cast<std::int32_t>(kount);
}

float rndnum() {
  // Within a block, one number is one step of the counts: the way of traitsim's deviates.
  if (g.in_blocks && !g.blocks.pending && g.in24 < lags - 1 && g.kount < giga - 1) [[likely]] {
    ++g.kount;
    return g.blocks.numbers[g.in24++];
  }
  float r[1];
  ranlux(r);
  return r[0];
}

void rluxgo(std::int32_t lux, std::int32_t ins, std::int32_t k1, std::int32_t k2) {
  if (lux < 0) {
    g.luxlev = default_level;
  } else if (lux <= max_level) {
    g.luxlev = lux;
  } else if (lux < 24 || lux > 2000) {
    g.luxlev = max_level;
  } else {
    g.luxlev = lux;
    for (std::int32_t level = 0; level <= max_level; ++level)
      if (lux == ndskip[level] + 24) g.luxlev = level;
  }
  g.nskip = g.luxlev <= max_level ? ndskip[g.luxlev] : g.luxlev - 24;
  g.in24 = 0;
  if (ins < 0) std::fputs(" Illegal initialization by RLUXGO, negative input seed\n", stdout);
  std::int32_t jseed = ins > 0 ? ins : default_seed;
  g.inseed = jseed;
  g.notyet = false;
  g.in_blocks = false;
  fill_lags(jseed);

  // Restarting at a break point: skip k1 + 1e9 * k2 steps (delivered plus skipped numbers);
  // a negative count skips nothing, and a negative k1 leaves a negative count of delivered
  // numbers, so that the first block after it is longer.
  g.kount = k1;
  g.mkount = k2;
  if (static_cast<std::int64_t>(k1) + k2 != 0) {
    const std::uint64_t steps = (k2 > 0 ? static_cast<std::uint64_t>(k2) * giga : 0) +
                                (k1 > 0 ? static_cast<std::uint64_t>(k1) : 0);
    advance_table(steps);
    const std::int64_t lp = g.nskip + 24;
    std::int64_t in24 = k1 % lp;
    if (k2 > 0) in24 = (static_cast<std::int64_t>(k2) * (giga % lp) + in24) % lp;
    g.in24 = in24 > 23 ? 0 : static_cast<std::int32_t>(in24);
  }
  if (g.in24 == 0) enter_blocks();
}

void rluxat(std::int32_t& lout, std::int32_t& inout, std::int32_t& k1, std::int32_t& k2) {
  lout = g.luxlev;
  inout = g.inseed;
  k1 = g.kount;
  k2 = g.mkount;
}

void rluxut(RanluxState& isdext) {
  Table t = g.table;
  if (g.in_blocks) {
    // The state after in24 numbers of the block: its lags end with the last number delivered,
    // and its borrow is what the recurrence took from the next one.
    make_pending_block();
    know_block_lags();
    const std::int32_t* x = g.blocks.seq.data() + g.in24;
    t.i24 = below(g.blocks.start_i24, g.in24);
    t.j24 = below(t.i24, 14);
    t.carry = (x[14] - x[0] - x[lags]) & (two24 - 1);
    set_table_lags(t, x);
  }
  for (int i = 1; i <= lags; ++i) isdext[i - 1] = t.seeds[i];
  std::int32_t packed = t.i24 + 100 * t.j24 + 10000 * g.in24 + 1000000 * g.luxlev;
  isdext[24] = t.carry != 0 ? -packed : packed;
}

bool rluxin(const RanluxState& isdext) {
  for (int i = 0; i < lags; ++i)
    if (isdext[i] < 0 || isdext[i] >= two24) return false;
  std::int64_t isd = std::llabs(static_cast<std::int64_t>(isdext[24]));
  const int i24 = static_cast<int>(isd % 100);
  isd /= 100;
  const int j24 = static_cast<int>(isd % 100);
  isd /= 100;
  const std::int32_t in24 = static_cast<std::int32_t>(isd % 100);
  isd /= 100;
  // A p value above 2000 could not have been written by rluxut, and would overflow it later.
  if (isd > 2000) return false;
  // The lag positions index the lag table, so a vector that names positions outside it is
  // refused before anything changes.
  if (i24 < 1 || i24 > lags || j24 < 1 || j24 > lags || in24 > 23) return false;

  for (int i = 1; i <= lags; ++i) g.table.seeds[i] = isdext[i - 1];
  g.table.carry = isdext[24] < 0 ? 1 : 0;
  g.table.i24 = i24;
  g.table.j24 = j24;
  g.in24 = in24;
  g.luxlev = static_cast<std::int32_t>(isd);
  if (g.luxlev <= max_level) {
    g.nskip = ndskip[g.luxlev];
  } else if (g.luxlev >= 24) {
    g.nskip = g.luxlev - 24;
  } else {
    g.nskip = ndskip[max_level];
    g.luxlev = max_level;
  }
  g.inseed = -1;
  // A restored state is a seeded one: the first ranlux() after it must not reseed by default.
  g.notyet = false;
  g.in_blocks = false;
  if (in24 == 0 && standard_positions(g.table)) enter_blocks();
  return true;
}

}  // namespace ranlux
