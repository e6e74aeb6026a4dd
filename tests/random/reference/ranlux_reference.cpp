// The generator as it was computed before it took its congruential form: the published
// subtract-with-borrow recurrence stepped one lag at a time (with the skipped runs stepped on
// a line of lags). Kept verbatim, but for its namespace, as the reference the fast form is
// compared with, number for number, by the differential tests and the benchmarks.
#include <cstdio>
#include <cstdlib>

#include "tests/random/reference/ranlux_reference.hpp"

namespace ranlux_reference {

namespace {

constexpr int lags = 24;
constexpr std::int32_t default_seed = 314159265;
constexpr std::int32_t default_level = 3;
constexpr std::int32_t max_level = 4;
constexpr std::array<std::int32_t, max_level + 1> ndskip = {0, 24, 73, 199, 365};
constexpr std::int32_t giga = 1000000000;
constexpr std::int32_t two24 = 1 << 24;

// The one generator state of the process. Positions i24 and j24 run 1..24 as in the
// published algorithm; seeds[0] is unused so that the positions index it directly. seeds[i]
// is lag i times 2^24, and carry is the borrow in the same unit, 0 or 1.
struct Ranlux {
  std::array<std::int32_t, lags + 1> seeds{};
  std::int32_t carry = 0;
  int i24 = 24;
  int j24 = 10;
  std::int32_t in24 = 0;
  std::int32_t luxlev = default_level;
  std::int32_t nskip = ndskip[default_level];
  std::int32_t kount = 0;
  std::int32_t mkount = 0;
  std::int32_t inseed = 0;
  bool notyet = true;
};

Ranlux g;

constexpr float twom24 = 1.0f / two24;
constexpr std::int32_t two12 = 1 << 12;

// One step of x(n) = x(n-10) - x(n-24) - c(n-1) modulo 2^24 on the lag table, returning
// x(n). The borrow is taken without a branch: it is a coin toss that no predictor can learn.
inline std::int32_t one_step() {
  std::int32_t* seeds = g.seeds.data();
  std::int32_t uni = seeds[g.j24] - seeds[g.i24] - g.carry;
  g.carry = static_cast<std::int32_t>(static_cast<std::uint32_t>(uni) >> 31);
  uni += g.carry << 24;
  seeds[g.i24] = uni;
  g.i24 = g.i24 == 1 ? lags : g.i24 - 1;
  g.j24 = g.j24 == 1 ? lags : g.j24 - 1;
  return uni;
}

// The lag position `p` steps below position `i`, in 1..24.
int below(int i, std::int64_t p) {
  return static_cast<int>(((i - 1 - p) % lags + lags) % lags) + 1;
}

// `n` steps, returning the last value (0 when `n` is not positive). Long runs (the skipped
// numbers: 365 for every 24 delivered at level 4) are made on the lags laid out in a line,
// oldest first, where each new value is appended: no position wraps round and nothing but
// the borrow links one step to the next; with the delivered numbers stepped in place, a
// number at level 4 takes half the instructions it took on the table alone. A state
// restored with lag positions that are not 14 apart (no generator writes one, but rluxin
// takes it) keeps to the table.
std::int32_t steps(std::int32_t n) {
  if (n < lags || below(g.i24, 14) != g.j24) {
    std::int32_t uni = 0;
    for (std::int32_t k = 0; k < n; ++k) uni = one_step();
    return uni;
  }
  constexpr int chunk = 16 * lags;
  std::int32_t line[lags + chunk];
  int p = g.i24;
  for (int k = 0; k < lags; ++k) {
    line[k] = g.seeds[p];
    p = p == 1 ? lags : p - 1;
  }
  std::int32_t carry = g.carry;
  for (std::int32_t left = n; left > 0;) {
    const int len = left < chunk ? left : chunk;
#pragma GCC unroll 8
    for (int k = 0; k < len; ++k) {
      const std::int32_t uni = line[k + 14] - line[k] - carry;
      carry = static_cast<std::int32_t>(static_cast<std::uint32_t>(uni) >> 31);
      line[k + lags] = uni & (two24 - 1);  // uni + 2^24 when it is negative
    }
    for (int k = 0; k < lags; ++k) line[k] = line[len + k];
    left -= len;
  }
  g.i24 = below(g.i24, n);
  g.j24 = below(g.i24, 14);
  g.carry = carry;
  p = g.i24;
  for (int k = 0; k < lags; ++k) {
    g.seeds[p] = line[k];
    p = p == 1 ? lags : p - 1;
  }
  return line[lags - 1];
}

// Fills the lags from `jseed` with L'Ecuyer's congruential generator by Schrage's method,
// which keeps every intermediate within 32 bits.
void fill_lags(std::int32_t jseed) {
  for (int i = 1; i <= lags; ++i) {
    std::int32_t k = jseed / 53668;
    jseed = 40014 * (jseed - k * 53668) - k * 12211;
    if (jseed < 0) jseed += 2147483563;
    g.seeds[i] = jseed % two24;
  }
  g.i24 = 24;
  g.j24 = 10;
  g.carry = g.seeds[24] == 0 ? 1 : 0;
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
  }
  for (float& out : rvec) {
    const std::int32_t uni = one_step();
    out = static_cast<float>(uni) * twom24;
    // Numbers with fewer than 12 significant bits get low-order bits from the next lag, and
    // zero is never delivered, so a caller may take a logarithm.
    if (uni < two12) {
      out = out + twom24 * (static_cast<float>(g.seeds[g.j24]) * twom24);
      if (out == 0.0f) out = twom24 * twom24;
    }
    ++g.in24;
    if (g.in24 == 24) {
      g.in24 = 0;
      g.kount += g.nskip;
      steps(g.nskip);
    }
  }
  // Widened so that a long vector cannot overflow the count before it is carried.
  std::int64_t kount = static_cast<std::int64_t>(g.kount) + static_cast<std::int64_t>(rvec.size());
  while (kount >= giga) {
    ++g.mkount;
    kount -= giga;
  }
  g.kount = static_cast<std::int32_t>(kount);
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
  fill_lags(jseed);

  // Restarting at a break point: skip k1 + 1e9 * k2 steps (delivered plus skipped numbers).
  g.kount = k1;
  g.mkount = k2;
  if (static_cast<std::int64_t>(k1) + k2 != 0) {
    for (std::int32_t outer = 0; outer < k2; ++outer) steps(giga);
    steps(k1);
    const std::int64_t lp = g.nskip + 24;
    std::int64_t in24 = k1 % lp;
    if (k2 > 0) in24 = (static_cast<std::int64_t>(k2) * (giga % lp) + in24) % lp;
    g.in24 = in24 > 23 ? 0 : static_cast<std::int32_t>(in24);
  }
}

void rluxat(std::int32_t& lout, std::int32_t& inout, std::int32_t& k1, std::int32_t& k2) {
  lout = g.luxlev;
  inout = g.inseed;
  k1 = g.kount;
  k2 = g.mkount;
}

void rluxut(RanluxState& isdext) {
  for (int i = 1; i <= lags; ++i) isdext[i - 1] = g.seeds[i];
  std::int32_t packed = g.i24 + 100 * g.j24 + 10000 * g.in24 + 1000000 * g.luxlev;
  isdext[24] = g.carry != 0 ? -packed : packed;
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

  for (int i = 1; i <= lags; ++i) g.seeds[i] = isdext[i - 1];
  g.carry = isdext[24] < 0 ? 1 : 0;
  g.i24 = i24;
  g.j24 = j24;
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
  return true;
}

float rndnum() {
  float r[1];
  ranlux(r);
  return r[0];
}

}  // namespace ranlux_reference
