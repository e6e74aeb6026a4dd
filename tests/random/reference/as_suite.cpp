// The reference generator behind the suite's interface: a build configured with
// -DRANLUX_REFERENCE=ON makes every program draw from the generator as it was stepped before
// its congruential form, so that benchmarks can time the programs with either.
#include "common/random/random.hpp"
#include "tests/random/reference/ranlux_reference.hpp"

namespace ranlux {

float rndnum() { return ranlux_reference::rndnum(); }

void ranlux(std::span<float> rvec) { ranlux_reference::ranlux(rvec); }

void rluxgo(std::int32_t lux, std::int32_t ins, std::int32_t k1, std::int32_t k2) {
  ranlux_reference::rluxgo(lux, ins, k1, k2);
}

void rluxat(std::int32_t& lout, std::int32_t& inout, std::int32_t& k1, std::int32_t& k2) {
  ranlux_reference::rluxat(lout, inout, k1, k2);
}

void rluxut(RanluxState& isdext) { ranlux_reference::rluxut(isdext); }

bool rluxin(const RanluxState& isdext) { return ranlux_reference::rluxin(isdext); }

}  // namespace ranlux
