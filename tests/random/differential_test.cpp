// The generator in its congruential form against the stepped reference it replaced: the same
// numbers, states and counts after every kind of seeding, restart and restore, however the
// numbers are drawn. Started with a filter on "*Long*" (the ctest configuration "slow"), it
// also compares 10^8 numbers at one seed, and skips of 10^9 steps and more.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/random/random.hpp"
#include "tests/random/reference/ranlux_reference.hpp"

namespace {

namespace ref = ranlux_reference;

// The luxuries of the sweep: the five levels and a direct p value.
constexpr std::int32_t luxuries[] = {0, 1, 2, 3, 4, 100};

// A sanitizer build runs the sweep on fewer seeds: it looks for memory faults, not numbers.
#if defined(__SANITIZE_ADDRESS__)
constexpr int seed_divisor = 20;
#else
constexpr int seed_divisor = 1;
#endif

std::string where(std::int32_t lux, std::int32_t seed) {
  return "luxury " + std::to_string(lux) + ", seed " + std::to_string(seed);
}

// Both generators' counts and states agree.
void expect_same_state(const std::string& what) {
  ranlux::RanluxState a;
  ref::RanluxState b;
  ranlux::rluxut(a);
  ref::rluxut(b);
  ASSERT_EQ(std::vector<std::int32_t>(a.begin(), a.end()), std::vector<std::int32_t>(b.begin(), b.end()))
      << what;
  std::int32_t la, sa, ka, ma, lb, sb, kb, mb;
  ranlux::rluxat(la, sa, ka, ma);
  ref::rluxat(lb, sb, kb, mb);
  ASSERT_EQ(la, lb) << what;
  ASSERT_EQ(sa, sb) << what;
  ASSERT_EQ(ka, kb) << what;
  ASSERT_EQ(ma, mb) << what;
}

// The next `n` numbers of both generators, drawn in one call each, agree.
void expect_same_numbers(std::size_t n, const std::string& what) {
  std::vector<float> a(n), b(n);
  ranlux::ranlux(a);
  ref::ranlux(b);
  for (std::size_t i = 0; i < n; ++i)
    ASSERT_EQ(a[i] * 16777216.0, b[i] * 16777216.0) << what << ", number " << i + 1 << " (x 2^24)";
}

// The first 5,000 numbers of 10,000 seeds at level 4 (2,000 at the others), spread over the
// seeds from 1 to 2^31 - 1, with the ends of the range and the seeds that fall back to the
// default among them.
TEST(Differential, FirstNumbersOfManySeeds) {
  for (const std::int32_t lux : luxuries) {
    const int count = (lux == 4 ? 10000 : 2000) / seed_divisor;
    std::vector<std::int32_t> seeds = {0, -1, -2147483647 - 1, 1, 2, 3, 4, 5, 24, 25,
                                       2147483647, 2147483646, 2147483645, 2147483563,
                                       2147483562, 2147483564};
    for (int k = 0; static_cast<int>(seeds.size()) < count; ++k)
      seeds.push_back(static_cast<std::int32_t>(1 + (static_cast<std::int64_t>(k) * 214748) % 2147483646));
    for (const std::int32_t seed : seeds) {
      if (seed < 0) testing::internal::CaptureStdout();  // the negative seeds' warning
      ranlux::rluxgo(lux, seed, 0, 0);
      ref::rluxgo(lux, seed, 0, 0);
      if (seed < 0) {
        const std::string warning = " Illegal initialization by RLUXGO, negative input seed\n";
        EXPECT_EQ(testing::internal::GetCapturedStdout(), warning + warning);
      }
      ASSERT_NO_FATAL_FAILURE(expect_same_numbers(5000, where(lux, seed)));
      ASSERT_NO_FATAL_FAILURE(expect_same_state(where(lux, seed)));
    }
  }
}

// Numbers drawn one at a time, in batches of every length across block ends, and after states
// saved and restored in either direction, at points inside and at the ends of blocks.
TEST(Differential, AnyWayOfDrawing) {
  const std::size_t batches[] = {1, 2, 7, 9, 10, 23, 24, 25, 47, 48, 49, 100, 389, 1000};
  for (const std::int32_t lux : luxuries) {
    for (std::int32_t seed = 1; seed <= 40; ++seed) {
      const std::string what = where(lux, seed * 7919);
      ranlux::rluxgo(lux, seed * 7919, 0, 0);
      ref::rluxgo(lux, seed * 7919, 0, 0);
      for (int round = 0; round < 30; ++round) {
        const std::size_t n = batches[(seed + round * 5) % std::size(batches)];
        if (round % 3 == 0) {
          for (std::size_t k = 0; k < n; ++k) ASSERT_EQ(ranlux::rndnum(), ref::rndnum()) << what;
        } else {
          ASSERT_NO_FATAL_FAILURE(expect_same_numbers(n, what));
        }
        ASSERT_NO_FATAL_FAILURE(expect_same_state(what));
        if (round % 4 == 1) {
          // Restored from the other generator's vector, both continue alike.
          ranlux::RanluxState saved;
          ranlux::rluxut(saved);
          ref::RanluxState copy;
          for (int i = 0; i < 25; ++i) copy[i] = saved[i];
          ASSERT_TRUE(ranlux::rluxin(saved));
          ASSERT_TRUE(ref::rluxin(copy));
          ASSERT_NO_FATAL_FAILURE(expect_same_state(what + ", restored"));
        }
      }
    }
  }
}

// Restored vectors no generator writes: lags at random, the borrow either way, any count of
// numbers delivered, lag positions 14 apart and not, and the two fixed states.
TEST(Differential, RestoredVectorsOfEveryShape) {
  std::uint32_t x = 12345;
  auto next = [&x] {
    x = x * 1664525u + 1013904223u;
    return x >> 8;
  };
  for (int v = 0; v < 600; ++v) {
    ranlux::RanluxState s;
    for (int i = 0; i < 24; ++i) s[i] = static_cast<std::int32_t>(next() & 0xffffff);
    if (v % 50 == 0) s.fill(0);
    if (v % 50 == 1) s.fill(0xffffff);
    const int i24 = 1 + static_cast<int>(next() % 24);
    const int j24 = v % 3 == 0 ? 1 + static_cast<int>(next() % 24) : (i24 + 9) % 24 + 1;
    const int in24 = v % 2 == 0 ? 0 : static_cast<int>(next() % 24);
    const int lux = v % 7 == 6 ? 30 + v : v % 5;
    s[24] = i24 + 100 * j24 + 10000 * in24 + 1000000 * lux;
    if (next() % 2 == 0 || v % 50 == 1) s[24] = -s[24];
    ref::RanluxState copy;
    for (int i = 0; i < 25; ++i) copy[i] = s[i];
    const std::string what = "restored vector " + std::to_string(v);
    ASSERT_TRUE(ranlux::rluxin(s)) << what;
    ASSERT_TRUE(ref::rluxin(copy)) << what;
    ASSERT_NO_FATAL_FAILURE(expect_same_state(what));
    ASSERT_NO_FATAL_FAILURE(expect_same_numbers(1000, what));
    ASSERT_NO_FATAL_FAILURE(expect_same_state(what));
  }
}

// Restarts at a count of steps: few and many, within a block and within a skip, and the
// negative counts the reference takes as counts of numbers still to deliver; the restart
// agrees with drawing the numbers up to it.
TEST(Differential, RestartsAtCounts) {
  const std::int32_t counts[] = {-2000, -389, -25, -1, 1, 5, 23, 24, 25, 47, 48, 49, 100,
                                 389, 390, 412, 413, 1000, 12345, 161840, 1000000};
  for (const std::int32_t lux : luxuries) {
    for (const std::int32_t k1 : counts) {
      for (const std::int32_t seed : {0, 1, 7674985, 2147483647}) {
        const std::string what = where(lux, seed) + ", k1 " + std::to_string(k1);
        ranlux::rluxgo(lux, seed, k1, 0);
        ref::rluxgo(lux, seed, k1, 0);
        ASSERT_NO_FATAL_FAILURE(expect_same_state(what));
        ASSERT_NO_FATAL_FAILURE(expect_same_numbers(3000, what));
        ASSERT_NO_FATAL_FAILURE(expect_same_state(what));
      }
    }
    // k1 + k2 = 0 skips nothing; a negative k2 skips only k1.
    for (const auto& [k1, k2] : {std::pair{5, -5}, std::pair{-3, 3}, std::pair{700, -1}}) {
      ranlux::rluxgo(lux, 99, k1, k2);
      ref::rluxgo(lux, 99, k1, k2);
      ASSERT_NO_FATAL_FAILURE(expect_same_state(where(lux, 99)));
      ASSERT_NO_FATAL_FAILURE(expect_same_numbers(1000, where(lux, 99)));
    }
  }

  // Drawing n numbers and restarting at the count rluxat reports give the same numbers.
  for (const std::int32_t lux : {0, 2, 4, 1000}) {
    for (const std::size_t n : {1u, 24u, 100u, 5000u, 100000u}) {
      ranlux::rluxgo(lux, 4242, 0, 0);
      std::vector<float> drawn(n);
      ranlux::ranlux(drawn);
      std::int32_t l, s, k1, k2;
      ranlux::rluxat(l, s, k1, k2);
      std::vector<float> after(500), restarted(500);
      ranlux::ranlux(after);
      ranlux::rluxgo(lux, 4242, k1, k2);
      ranlux::ranlux(restarted);
      ASSERT_EQ(after, restarted) << "luxury " << lux << ", after " << n;
    }
  }
}

// 10^8 numbers at one seed at level 4, drawn in batches, and skips of 10^9 steps and more:
// minutes of the reference's time, so only in the configuration "slow".
TEST(DifferentialLong, HundredMillionNumbers) {
  ranlux::rluxgo(4, 20240611, 0, 0);
  ref::rluxgo(4, 20240611, 0, 0);
  for (int k = 0; k < 1000; ++k)
    ASSERT_NO_FATAL_FAILURE(expect_same_numbers(100000, "batch " + std::to_string(k)));
  ASSERT_NO_FATAL_FAILURE(expect_same_state("after 10^8 numbers"));
}

TEST(DifferentialLong, SkipsOfBillionsOfSteps) {
  for (const std::int32_t lux : {0, 4}) {
    for (const auto& [k1, k2] : {std::pair{0, 1}, std::pair{123457, 1}, std::pair{999999999, 2}}) {
      const std::string what = "luxury " + std::to_string(lux) + ", k1 " + std::to_string(k1) +
                               ", k2 " + std::to_string(k2);
      ranlux::rluxgo(lux, 31415, k1, k2);
      ref::rluxgo(lux, 31415, k1, k2);
      ASSERT_NO_FATAL_FAILURE(expect_same_state(what));
      ASSERT_NO_FATAL_FAILURE(expect_same_numbers(2000, what));
    }
  }
}

}  // namespace
