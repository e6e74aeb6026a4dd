// The generator's recurrence as one big multiplication.
//
// The subtract-with-borrow recurrence x(n) = x(n-10) - x(n-24) - c(n-1) mod b, b = 2^24, is a
// multiplicative congruential generator modulo m = b^24 - b^10 + 1 = 2^576 - 2^240 + 1. A
// state of 24 lags and a borrow c is the residue
//
//     z = W - floor(W / b^14) + c,   W = the lags as the 24 digits of a base-b number,
//                                    the newest lag the most significant digit,
//
// and one step of the recurrence is z -> z / b mod m: exactly b z(n) = z(n-1) + m x(n), for
// every state, so n steps are one multiplication by b^-n. Going back, the lags of a state are
// the first 24 base-b digits of z / m, W = floor(z b^24 / m), as soon as every lag was made by
// the recurrence (24 steps or more after a state was set from outside; the lags of a state so
// set need not be those digits). The two fixed states, all lags 0 without the borrow and all
// lags b - 1 with it, are the residues 0 and m.
#pragma once

#include <array>
#include <cstdint>

namespace ranlux::lcg {

constexpr int lags = 24;
constexpr int limbs = 9;  // 576 bits in 64-bit words

// A number below 2^576, least significant word first: a residue modulo m (below m, or m itself
// for the fixed state of all lags b - 1).
using Residue = std::array<std::uint64_t, limbs>;

// x * y mod m, for x and y below m.
Residue multiply(const Residue& x, const Residue& y);

// A multiplier a prepared for many multiplications: rows[i] = a 2^(64 i) mod m, so that a z
// is the sum of z's words times the rows, 81 word products and a short fold.
struct Multiplier {
  std::array<Residue, limbs> rows{};
};

// `a` (below m) prepared as a Multiplier.
Multiplier prepare(const Residue& a);

// z = a * z mod m, for z below m.
void multiply_in_place(const Multiplier& a, Residue& z);

// The multiplier b^-steps mod m, which advances a state by `steps` steps of the recurrence;
// O(log steps) multiplications.
Residue advance_by(std::uint64_t steps);

// The residue of the state whose lags, oldest first, are lags[0..23] (each below 2^24), with
// borrow `carry` (0 or 1).
Residue from_lags(const std::int32_t* lags, std::int32_t carry);

// The lags, oldest first, into lags[0..23] of the state with residue `z` below m, which must
// have been made by at least 24 steps of the recurrence; and, when `fractions` is not null,
// each lag times 2^-24 into fractions[0..23]. Returns the least of the lags.
std::int32_t to_lags(const Residue& z, std::int32_t* lags, float* fractions = nullptr);

// to_lags(z, lags, fractions) with `fractions` not null, then z = a * z mod m: in one pass,
// so that the digits are worked out while the multiplication waits on the processor's
// multiplier.
std::int32_t to_lags_then_multiply(const Multiplier& a, Residue& z, std::int32_t* lags,
                                   float* fractions);

// The residue of the state 24 steps before the state with residue `z` (below m).
Residue earlier(const Residue& z);

// True when `z` is m itself, the fixed state of all lags b - 1 with the borrow set.
bool is_modulus(const Residue& z);

}  // namespace ranlux::lcg
