// Arithmetic modulo m = 2^576 - 2^240 + 1 in 64-bit words. m's shape makes the reduction
// shifts, adds and subtracts: 2^576 = 2^240 - 1 (mod m). The paths taken once in 2^90 draws
// or less (a sum that reaches m, a fold that overflows) are plain loops beside the fast ones.
#include "common/random/lcg_form.hpp"

namespace ranlux::lcg {

namespace {

using u64 = std::uint64_t;
using u128 = unsigned __int128;
using i128 = __int128;

constexpr int digit_bits = 24;
constexpr u64 digit_mask = (u64{1} << digit_bits) - 1;
constexpr u64 ones = ~u64{0};

// m = 2^576 - 2^240 + 1.
constexpr Residue modulus = {1, 0, 0, 0xffff000000000000, ones, ones, ones, ones, ones};
// b^-1 mod m = m - (m - 1) / b = 2^576 - 2^552 - 2^240 + 2^216 + 1.
constexpr Residue inverse_base = {1, 0, 0, 0xffff000001000000, ones, ones,
                                  ones, ones, 0xfffffeffffffffff};

bool at_least_modulus(const Residue& r) {
  for (int k = limbs - 1; k >= 0; --k)
    if (r[k] != modulus[k]) return r[k] > modulus[k];
  return true;
}

// r + y mod 2^576, returning the carry out.
u64 add_into(Residue& r, const Residue& y) {
  u64 carry = 0;
  for (int k = 0; k < limbs; ++k) {
    const u128 s = static_cast<u128>(r[k]) + y[k] + carry;
    r[k] = static_cast<u64>(s);
    carry = static_cast<u64>(s >> 64);
  }
  return carry;
}

void subtract_modulus(Residue& r) {
  u64 borrow = 0;
  for (int k = 0; k < limbs; ++k) {
    const u128 d = static_cast<u128>(r[k]) - modulus[k] - borrow;
    r[k] = static_cast<u64>(d);
    borrow = static_cast<u64>(d >> 64) & 1;
  }
}

inline u64 add_carry(u64 a, u64 b, u64& carry) {
  const u128 s = static_cast<u128>(a) + b + carry;
  carry = static_cast<u64>(s >> 64);
  return static_cast<u64>(s);
}

inline u64 sub_borrow(u64 a, u64 b, u64& borrow) {
  const u128 d = static_cast<u128>(a) - b - borrow;
  borrow = static_cast<u64>(d >> 64) & 1;
  return static_cast<u64>(d);
}

// The residue of r + c 2^(64 word) + t 2^576, for c of -1, 0 or 1 and a small signed t,
// when they are not 0 or r may reach m: the rare end of a reduction.
[[gnu::noinline, gnu::cold]] Residue reduce_slowly(Residue r, int word, std::int64_t c,
                                                   std::int64_t t = 0) {
  for (int k = word; k < limbs && c != 0; ++k) {
    const u64 before = r[k];
    r[k] += static_cast<u64>(c);
    // A carry out of the word when c > 0 wrapped it below, a borrow when c < 0 lifted it.
    c = c > 0 ? (r[k] < before ? 1 : 0) : (r[k] > before ? -1 : 0);
  }
  t += c;
  const Residue two_240_minus_1{ones, ones, ones, 0x0000ffffffffffff, 0, 0, 0, 0, 0};
  for (; t > 0; --t) {
    // 2^576 = 2^240 - 1, and r + 2^240 - 1 < 2^576 + 2^240: one more fold at most.
    if (add_into(r, two_240_minus_1) != 0) ++t;
  }
  for (; t < 0; ++t) {
    // -2^576 = m - 2^576: r + m wraps past 2^576 unless r was below 2^240 - 1.
    if (add_into(r, modulus) == 0) --t;
  }
  while (at_least_modulus(r)) subtract_modulus(r);
  return r;
}

// The residue of l + h 2^576 for l and h of 9 words (a product of two residues):
//   h 2^576 = h 2^240 - h, and h 2^240 = hh 2^576 + hl 2^240 = hh (2^240 - 1) + hl 2^240
// with hh = h / 2^336, hl = h mod 2^336; so the sum is l + (hl + hh) 2^240 - (h + hh),
// between -2^577 and 2^578, and its small multiple t of 2^576 is folded once more.
Residue reduce(const u64* l, const u64* h) {
  u64 hh[4];
#pragma GCC unroll 4
  for (int k = 0; k < 4; ++k) hh[k] = (h[k + 5] >> 16) | (k + 6 < limbs ? h[k + 6] << 48 : 0);
  // g = hl + hh, at most 337 bits in 6 words.
  u64 g[6];
  u64 carry = 0;
#pragma GCC unroll 6
  for (int k = 0; k < 6; ++k) g[k] = add_carry(k < 5 ? h[k] : h[5] & 0xffff, k < 4 ? hh[k] : 0, carry);
  // plus = l + g 2^240 (g shifted up by 3 words and 48 bits), minus = h + hh.
  u64 plus[limbs + 1], minus[limbs + 1];
  carry = 0;
#pragma GCC unroll 10
  for (int k = 0; k <= limbs; ++k) {
    const u64 shifted = k < 3 ? 0 : (k < limbs ? g[k - 3] << 48 : 0) | (k > 3 ? g[k - 4] >> 16 : 0);
    plus[k] = add_carry(k < limbs ? l[k] : 0, shifted, carry);
  }
  carry = 0;
#pragma GCC unroll 9
  for (int k = 0; k < limbs; ++k) minus[k] = add_carry(h[k], k < 4 ? hh[k] : 0, carry);
  minus[limbs] = carry;
  Residue r;
  u64 borrow = 0;
#pragma GCC unroll 9
  for (int k = 0; k < limbs; ++k) r[k] = sub_borrow(plus[k], minus[k], borrow);
  const auto t = static_cast<std::int64_t>(plus[limbs] - minus[limbs] - borrow);
  // r + t 2^576 = r - t + t 2^240, with |t| <= 3: the fast way when nothing leaves the
  // words and the result stays clear of m.
  if (t != 0 || r[limbs - 1] == ones) [[unlikely]]
    return reduce_slowly(r, 0, 0, t);
  return r;
}

// The lags as the digits of a 576-bit number, oldest lowest.
Residue pack(const std::int32_t* lags) {
  Residue w{};
#pragma GCC unroll 24
  for (int i = 0; i < lcg::lags; ++i) {
    const u64 d = static_cast<std::uint32_t>(lags[i]);
    const int bit = digit_bits * i, word = bit / 64, shift = bit % 64;
    w[word] |= d << shift;
    if (shift > 64 - digit_bits) w[word + 1] |= d >> (64 - shift);
  }
  return w;
}

// The digits of w into lags[0..23] and, when `fractions` is not null, as fractions of 2^24;
// in one pass, since stores of single numbers read back as vectors stall the processor.
// Returns the least digit.
std::int32_t unpack(const Residue& w, std::int32_t* lags, float* fractions) {
  constexpr float unit = 1.0f / (1 << digit_bits);
  std::int32_t least = static_cast<std::int32_t>(digit_mask);
#pragma GCC unroll 24
  for (int i = 0; i < lcg::lags; ++i) {
    const int bit = digit_bits * i, word = bit / 64, shift = bit % 64;
    u64 d = w[word] >> shift;
    if (shift > 64 - digit_bits) d |= w[word + 1] << (64 - shift);
    const auto digit = static_cast<std::int32_t>(d & digit_mask);
    lags[i] = digit;
    if (fractions != nullptr) fractions[i] = static_cast<float>(digit) * unit;
    least = digit < least ? digit : least;
  }
  return least;
}

// z (2^240 - 1) = hi 2^576 + lo, for z below m: lo of 9 words, hi below 2^240 in 4.
void times_2_240_minus_1(const Residue& z, Residue& lo, u64* hi) {
  // (z mod 2^336) 2^240 - z, borrowing from hi = z / 2^336.
  u64 borrow = 0;
#pragma GCC unroll 24
  for (int k = 0; k < limbs; ++k) {
    const u64 shifted = k < 3 ? 0 : (z[k - 3] << 48) | (k > 3 ? z[k - 4] >> 16 : 0);
    const u128 d = static_cast<u128>(shifted) - z[k] - borrow;
    lo[k] = static_cast<u64>(d);
    borrow = static_cast<u64>(d >> 64) & 1;
  }
#pragma GCC unroll 24
  for (int k = 0; k < 4; ++k) {
    const u64 top = (z[k + 5] >> 16) | (k + 6 < limbs ? z[k + 6] << 48 : 0);
    const u128 d = static_cast<u128>(top) - borrow;
    hi[k] = static_cast<u64>(d);
    borrow = static_cast<u64>(d >> 64) & 1;
  }
}

// lo + hi (2^240 - 1) for hi below 2^240: the residue, and whether it reached m (before
// m was subtracted).
Residue fold(const Residue& lo, const u64* hi, bool& wrapped) {
  Residue r;
  i128 acc = 0;
#pragma GCC unroll 24
  for (int k = 0; k < limbs; ++k) {
    const u64 shifted = k < 3 ? 0 : (k - 3 < 4 ? hi[k - 3] << 48 : 0) | (k > 3 && k - 4 < 4 ? hi[k - 4] >> 16 : 0);
    acc += lo[k];
    acc += shifted;
    if (k < 4) acc -= hi[k];
    r[k] = static_cast<u64>(acc);
    acc >>= 64;
  }
  // The sum is below 2^576 + 2^480 < 2m: at most one m to take away.
  wrapped = acc != 0 || at_least_modulus(r);
  if (wrapped) subtract_modulus(r);
  return r;
}

}  // namespace

Residue multiply(const Residue& x, const Residue& y) {
  // Product scanning: each word of the product is one column of the 9 x 9 word products,
  // summed in three words.
  u64 p[2 * limbs];
  u128 acc = 0;
  u64 over = 0;
#pragma GCC unroll 17
  for (int k = 0; k < 2 * limbs - 1; ++k) {
#pragma GCC unroll 9
    for (int i = 0; i < limbs; ++i) {
      const int j = k - i;
      if (j < 0 || j >= limbs) continue;
      const u128 t = static_cast<u128>(x[i]) * y[j];
      acc += t;
      over += acc < t;
    }
    p[k] = static_cast<u64>(acc);
    acc = (acc >> 64) | (static_cast<u128>(over) << 64);
    over = 0;
  }
  p[2 * limbs - 1] = static_cast<u64>(acc);
  return reduce(p, p + limbs);
}

Multiplier prepare(const Residue& a) {
  Multiplier prepared;
  const Residue word{0, 1};  // 2^64
  prepared.rows[0] = a;
  for (int i = 1; i < limbs; ++i) prepared.rows[i] = multiply(prepared.rows[i - 1], word);
  return prepared;
}

// r + acc 2^576 reduced, for the words r of a sum of products and acc below 2^68.
[[gnu::always_inline]] inline void finish_product(Residue& r, u128 acc) {
  // r + t 2^576 = r - t + t 2^240: t taken from words 0 and 1, and added at words 3 and 4
  // (shifted by 48 bits); what leaves word 4 reaches beyond it once in 2^60 draws or less.
  const u64 t0 = static_cast<u64>(acc), t1 = static_cast<u64>(acc >> 64);
  u64 borrow = 0;
  r[0] = sub_borrow(r[0], t0, borrow);
  r[1] = sub_borrow(r[1], t1, borrow);
  r[2] = sub_borrow(r[2], 0, borrow);
  r[3] = sub_borrow(r[3], 0, borrow);
  r[4] = sub_borrow(r[4], 0, borrow);
  u64 carry = 0;
  r[3] = add_carry(r[3], t0 << 48, carry);
  r[4] = add_carry(r[4], (t0 >> 16) | (t1 << 48), carry);
  const auto out = static_cast<std::int64_t>(carry) - static_cast<std::int64_t>(borrow);
  if (out != 0 || r[limbs - 1] == ones) [[unlikely]]
    r = reduce_slowly(r, 5, out);
}

// The columns of the sum of z[i] rows[i] into r, returning what the last carries out. Column
// j is nine word products, summed with what the column below carries in three words: r below
// 2^576, and t, the multiple of 2^576, below 2^68. `after_column(j)` runs once column j is
// done: work placed there goes on while the processor waits on its multiplier.
template <typename AfterColumn>
[[gnu::always_inline]] inline u128 product_columns(const Multiplier& a, const Residue& z, Residue& r,
                                                   AfterColumn after_column) {
  u128 acc = 0;
  u64 over = 0;
#pragma GCC unroll 9
  for (int j = 0; j < limbs; ++j) {
#pragma GCC unroll 9
    for (int i = 0; i < limbs; ++i) {
      const u128 t = static_cast<u128>(z[i]) * a.rows[i][j];
      acc += t;
      over += acc < t;
    }
    r[j] = static_cast<u64>(acc);
    acc = (acc >> 64) | (static_cast<u128>(over) << 64);
    over = 0;
    after_column(j);
  }
  return acc;
}

void multiply_in_place(const Multiplier& a, Residue& result) {
  const Residue z = result;
  Residue r;
  finish_product(r, product_columns(a, z, r, [](int) {}));
  result = r;
}

Residue advance_by(std::uint64_t steps) {
  Residue result{1};
  Residue square = inverse_base;
  for (; steps != 0; steps >>= 1) {
    if (steps & 1) result = multiply(result, square);
    if (steps > 1) square = multiply(square, square);
  }
  return result;
}

Residue from_lags(const std::int32_t* lags, std::int32_t carry) {
  const Residue w = pack(lags);
  // W / b^14 = W / 2^336: the newest 10 lags, words 5 to 8 shifted down by 16 bits.
  Residue z;
  u64 borrow = 0;
#pragma GCC unroll 24
  for (int k = 0; k < limbs; ++k) {
    const u64 h = k < 4 ? (w[k + 5] >> 16) | (k + 6 < limbs ? w[k + 6] << 48 : 0) : 0;
    const u128 d = static_cast<u128>(w[k]) - h - borrow;
    z[k] = static_cast<u64>(d);
    borrow = static_cast<u64>(d >> 64) & 1;
  }
  // z <= m - 1 before the borrow is added, so nothing carries beyond the top word.
  u64 add = static_cast<u64>(carry);
  for (int k = 0; k < limbs && add != 0; ++k) {
    z[k] += add;
    add = z[k] == 0 ? 1 : 0;
  }
  return z;
}

// The lags of the state with residue z as one number W = floor(z b^24 / m).
Residue lags_number(const Residue& z) {
  // z b^24 = z m + z (2^240 - 1), and z (2^240 - 1) = hi 2^576 + lo = hi m + (lo + hi (2^240
  // - 1)): the lags are W = floor(z b^24 / m) = z + hi, plus one when lo + hi (2^240 - 1)
  // reaches m, which needs lo within 2^481 of 2^576. With z = zh 2^336 + zl, lo is zl 2^240
  // - z and hi is zh less the borrow of that difference; zl 2^240 - z = (zl / 2^96 - zh)
  // 2^336 + (a number within 2^336 of 0), so the top words of zh and of zl / 2^96 (48 bits
  // each) settle the borrow and rule out the wrap, unless they are equal or next to each
  // other, or the difference is all but 2^240.
  constexpr u64 mask48 = (u64{1} << 48) - 1;
  const auto top_hi = static_cast<std::int64_t>(z[8] >> 16);
  const auto top_mid = static_cast<std::int64_t>(((z[4] >> 32) | (z[5] << 32)) & mask48);
  const std::int64_t d = top_hi - top_mid;
  if (d >= 2 || (d <= -1 && d > -static_cast<std::int64_t>(mask48))) [[likely]] {
    const u64 borrow = d > 0 ? 1 : 0;
    u64 hi[4];
#pragma GCC unroll 4
    for (int k = 0; k < 4; ++k) hi[k] = (z[k + 5] >> 16) | (k + 6 < limbs ? z[k + 6] << 48 : 0);
    // W = z + hi - borrow, where the borrow leaves the lowest word and the carry the fifth
    // once in 2^64 draws.
    if (hi[0] >= borrow) [[likely]] {
      hi[0] -= borrow;
      Residue w = z;
      u64 carry = 0;
#pragma GCC unroll 4
      for (int k = 0; k < 4; ++k) w[k] = add_carry(z[k], hi[k], carry);
      w[4] = z[4] + carry;
      if (w[4] >= carry) [[likely]]
        return w;
    }
  }
  Residue lo;
  u64 hi[4];
  times_2_240_minus_1(z, lo, hi);
  bool wrapped;
  fold(lo, hi, wrapped);
  Residue w;
  u64 carry = wrapped ? 1 : 0;
#pragma GCC unroll 9
  for (int k = 0; k < limbs; ++k) w[k] = add_carry(z[k], k < 4 ? hi[k] : 0, carry);
  return w;
}

std::int32_t to_lags(const Residue& z, std::int32_t* lags, float* fractions) {
  return unpack(lags_number(z), lags, fractions);
}

std::int32_t to_lags_then_multiply(const Multiplier& a, Residue& z, std::int32_t* lags,
                                   float* fractions) {
  // W is worked out during the first column of the product, and its digits a word at a time
  // during the later ones, while the processor waits on its multiplier.
  constexpr float unit = 1.0f / (1 << digit_bits);
  std::int32_t least = static_cast<std::int32_t>(digit_mask);
  Residue w{};
  auto digits_of_word = [&](int j) {
#pragma GCC unroll 24
    for (int i = 0; i < lcg::lags; ++i) {
      const int bit = digit_bits * i, word = bit / 64, shift = bit % 64;
      if (word != j) continue;
      u64 d = w[word] >> shift;
      if (shift > 64 - digit_bits) d |= w[word + 1] << (64 - shift);
      const auto digit = static_cast<std::int32_t>(d & digit_mask);
      lags[i] = digit;
      fractions[i] = static_cast<float>(digit) * unit;
      least = digit < least ? digit : least;
    }
  };
  Residue r;
  const u128 acc = product_columns(a, z, r, [&](int j) {
    if (j == 0)
      w = lags_number(z);
    else
      digits_of_word(j - 1);
  });
  digits_of_word(limbs - 1);
  finish_product(r, acc);
  z = r;
  return least;
}

Residue earlier(const Residue& z) {
  // z b^24 mod m = lo + hi (2^240 - 1), as in to_lags.
  Residue lo;
  u64 hi[4];
  times_2_240_minus_1(z, lo, hi);
  bool wrapped;
  return fold(lo, hi, wrapped);
}

bool is_modulus(const Residue& z) { return z == modulus; }

}  // namespace ranlux::lcg
