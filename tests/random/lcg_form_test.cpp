// The arithmetic of the congruential form where the generator's numbers seldom take it: the
// rare ends of the reductions and of the digit extraction, on residues made to reach them,
// against values worked out with exact integers; and the identities the form rests on.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/random/lcg_form.hpp"

namespace {

using ranlux::lcg::Residue;
namespace lcg = ranlux::lcg;

constexpr std::uint64_t ones = ~std::uint64_t{0};
const Residue m = {1, 0, 0, 0xffff000000000000, ones, ones, ones, ones, ones};
const Residue m_minus_1 = {0, 0, 0, 0xffff000000000000, ones, ones, ones, ones, ones};

Residue negated(const Residue& z) {  // m - z for 0 < z < m
  Residue r;
  unsigned __int128 borrow = 0;
  for (int k = 0; k < 9; ++k) {
    const unsigned __int128 d = static_cast<unsigned __int128>(m[k]) - z[k] - borrow;
    r[k] = static_cast<std::uint64_t>(d);
    borrow = (d >> 64) & 1;
  }
  return r;
}

struct Extraction {
  std::string what;
  Residue z;
  std::int32_t lags[24];
  Residue earlier;
};

// Each residue's lags are floor(z 2^576 / m) in base 2^24, oldest first; `earlier` is
// z 2^576 mod m. The residues put the top words of z / 2^336 and of z / 2^96 equal, one
// apart and all but 2^48 apart (where the quick estimate of the lags cannot decide), make the
// borrow or the carry of the estimate run on, and make the true lags one above the estimate.
const Extraction extractions[] = {
    {"top words equal",
     {0x3039, 0x5555000000000, 0x0, 0x0, 0x56789abc00000000, 0x1234, 0x0, 0x0, 0x123456789abc0000},
     {12345, 0, 0, 0, 349520, 0, 0, 0, 7903932, 1193046, 0, 0, 7903932, 1193046, 0, 0, 0, 0, 0, 0, 0, 0, 7903932, 1193046},
     {0xffffffffffffcfc7, 0xfffaaaafffffffff, 0xffffffffffffffff, 0x3038edcba9876543, 0xa987654400000000, 0x5554fedcb, 0x9abc000000000000, 0x12345678, 0x0}},
    {"top words one apart",
     {0x309, 0x0, 0x0, 0xffff00, 0x56789abc00000000, 0x1234, 0x0, 0x0, 0x123456789abd0000},
     {776, 0, 0, 0, 0, 0, 0, 0, 7903677, 1193047, 0, 0, 7903932, 1193046, 0, 0, 0, 0, 0, 0, 0, 0, 7903933, 1193046},
     {0xfffffffffffffcf8, 0xffffffffffffffff, 0xffffffffffffffff, 0x307edcba8876642, 0xa987654400000000, 0xffffffffffffedcb, 0x99bcffffffffffff, 0x12345778, 0xffffffffffff0000}},
    {"difference all but 2^48",
     {0x63, 0x0, 0x0, 0x0, 0xffffffff00000000, 0xffff, 0x30000, 0x0, 0x0},
     {99, 0, 196608, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16777215, 16777215, 0, 0, 196608, 0, 0, 0, 0, 0, 0, 0},
     {0xffffffffffffff9d, 0xfffffffffffffffc, 0xffffffffffffffff, 0x62ffffffffffff, 0x3000100000000, 0xffffffffffff0000, 0xfffffffffffcffff, 0xffffffffffffffff, 0xfffffffffffeffff}},
    {"low word of the top part zero",
     {0x1, 0x0, 0x0, 0x0, 0x12340000000000, 0x0, 0x50000, 0x0, 0x7000000000000000},
     {0, 0, 327680, 0, 0, 0, 0, 0, 0, 7340032, 0, 0, 1192960, 0, 0, 0, 327680, 0, 0, 0, 0, 0, 0, 7340032},
     {0x0, 0xfffffffffffffffb, 0xffffffffffffffff, 0xffff8fffffffffff, 0xfff2cbffffffffff, 0xffffffffffffffff, 0xfffffffffffaffff, 0x6fffffff, 0x9000001234000000}},
    {"carry through the fifth word",
     {0xffffffffffffffff, 0xffffffffffffffff, 0xffffffffffffffff, 0xffffffffffffffff, 0xffffffffffffffff, 0x0, 0xabc, 0x0, 0x1000000000000000},
     {16777214, 16777215, 2747, 0, 0, 0, 0, 0, 0, 1048576, 0, 0, 0, 256, 0, 0, 2748, 0, 0, 0, 0, 0, 0, 1048576},
     {0xf544000000000002, 0xffffffffffffffff, 0xffffffffffffffff, 0xfffdefffffffffff, 0xabbffffffff, 0xffffffffffffffff, 0xfffffffffffff543, 0xfffffff, 0xf001000000000000}},
    {"lags one above the estimate",
     {0x0, 0x2345678900000000, 0x1, 0x0, 0x0, 0x1234567890000, 0x0, 0x0, 0x0},
     {4548489, 291, 0, 0, 4548489, 291, 0, 0, 0, 0, 0, 0, 0, 0, 4548489, 291, 0, 0, 0, 0, 0, 0, 0, 0},
     {0xfffffffedcba9877, 0xdcba9876ffffffff, 0xfffffffffffffffe, 0x6788ffffffffffff, 0x12345, 0x0, 0x0, 0x0, 0x0}},
};

TEST(LcgForm, LagsOfResiduesThatTakeTheRareWays) {
  for (const auto& e : extractions) {
    std::int32_t lags[24];
    lcg::to_lags(e.z, lags);
    for (int i = 0; i < 24; ++i) EXPECT_EQ(lags[i], e.lags[i]) << e.what << ", lag " << i;
    EXPECT_EQ(lcg::earlier(e.z), e.earlier) << e.what;
  }
}

// Multiplying by m - 1 negates: products whose reduction leaves the low words, carries out of
// the top one, or lands within 2^512 of m, through both multiplications.
TEST(LcgForm, ProductsThatTakeTheRareWays) {
  const lcg::Multiplier minus_one = lcg::prepare(m_minus_1);
  const lcg::Multiplier one = lcg::prepare(Residue{1});
  const Residue cases[] = {
      Residue{1},
      Residue{0, 0, 0, 0, 0, 0, 0, 0, 1},
      Residue{1, 1, 1, 1, 1, 1, 1, 1, 1},
      Residue{ones, ones, ones, 0, 0, 0, 0, 0, 0},
      Residue{ones, ones, ones, ones, ones, ones, ones, ones, 0x7fffffffffffffff},
      Residue{5, 0, 0, 0xfffe000000000000, ones, ones, ones, ones, ones},
      m_minus_1,
  };
  for (const Residue& z : cases) {
    const Residue want = negated(z);
    Residue prepared = z;
    lcg::multiply_in_place(minus_one, prepared);
    EXPECT_EQ(prepared, want) << "prepared, word 0 = " << z[0];
    EXPECT_EQ(lcg::multiply(m_minus_1, z), want) << "general, word 0 = " << z[0];
    lcg::multiply_in_place(one, prepared);
    EXPECT_EQ(prepared, want);
    EXPECT_EQ(lcg::multiply(want, z), lcg::multiply(m_minus_1, lcg::multiply(z, z)));
  }
}

// b^-1 is the inverse of b = 2^24, and skips compose.
TEST(LcgForm, MultipliersOfSkips) {
  EXPECT_EQ(lcg::multiply(lcg::advance_by(1), Residue{1 << 24}), Residue{1});
  const Residue a389 = lcg::advance_by(389);
  EXPECT_EQ(lcg::multiply(lcg::advance_by(365), lcg::advance_by(24)), a389);
  Residue z = lcg::advance_by(1000000007);
  lcg::multiply_in_place(lcg::prepare(a389), z);
  EXPECT_EQ(z, lcg::advance_by(1000000396));
  EXPECT_EQ(lcg::advance_by(0), Residue{1});
}

// The fixed states are the residues 0 and m.
TEST(LcgForm, FixedStates) {
  std::int32_t lags[24];
  for (auto& x : lags) x = 0;
  EXPECT_EQ(lcg::from_lags(lags, 0), Residue{});
  EXPECT_EQ(lcg::from_lags(lags, 1), Residue{1});
  for (auto& x : lags) x = (1 << 24) - 1;
  EXPECT_TRUE(lcg::is_modulus(lcg::from_lags(lags, 1)));
  EXPECT_EQ(lcg::from_lags(lags, 0), m_minus_1);
}

}  // namespace
