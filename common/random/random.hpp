// The suite's uniform generator: RANLUX (Luescher's subtract-with-borrow generator with
// luxury skipping, in James's single-precision form delivering 24-bit fractions).
//
// Each process has one private generator state, kept in this module; the programs are
// single-threaded and reach it only through rndseed() and rndnum(). The full generator
// interface is kept so that its published check values can be reproduced. Everything lives in
// namespace ranlux, named for the generator as records and rawped are named for theirs.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace ranlux {

// Seeds the generator from the calendar clock: time() in whole seconds, reduced to its low 32
// bits as a signed integer, at luxury level 4 (rluxgo(4, time, 0, 0)). A run started in the
// same second as another draws the same numbers. A negative clock value prints rluxgo's
// warning and uses the default seed.
void rndseed();

// Returns the next uniform deviate, strictly between 0 and 1 (from 2^-48 up to 1 - 2^-24).
float rndnum();

// Fills `rvec` with the next rvec.size() numbers of the generator. Before any seeding the
// generator first seeds itself silently with the default seed 314159265 at level 3.
void ranlux(std::span<float> rvec);

// Seeds the generator. `lux` is the luxury: below 0 gives level 3, 0..4 that level, 5..23
// and above 2000 level 4, 24..2000 a direct p value (the p of a level selects that level).
// `ins` is the seed: 0 gives the default seed silently, a negative seed prints the line
// " Illegal initialization by RLUXGO, negative input seed" on standard output and gives the
// default seed. When `k1` + `k2` is not 0 the generator is advanced by
// k1 + 1,000,000,000 * k2 recurrence steps, restarting at a point reported by rluxat().
void rluxgo(std::int32_t lux, std::int32_t ins, std::int32_t k1, std::int32_t k2);

// Reports the restart point: the luxury `lout` (level or p value), the seed of the last
// seeding `inout` (-1 after rluxin), and the steps made since seeding, `k1` + 1e9 * `k2`.
void rluxat(std::int32_t& lout, std::int32_t& inout, std::int32_t& k1, std::int32_t& k2);

// The full state as 25 integers: the 24 lags times 2^24, then i24 + 100 j24 + 10000 in24 +
// 1000000 luxlev, negated when the carry is set.
using RanluxState = std::array<std::int32_t, 25>;

// Writes the current state into `isdext`.
void rluxut(RanluxState& isdext);

// Restores the state from `isdext`, as written by rluxut(); a luxury that is neither a level
// 0..4 nor a p value of 24 or more gives level 4. Returns false, leaving the generator as it
// was, when the vector could not have come from rluxut(): a lag outside 0..2^24-1, a lag
// position outside 1..24, a count of delivered numbers above 23, or a p value above 2000.
bool rluxin(const RanluxState& isdext);

}  // namespace ranlux
