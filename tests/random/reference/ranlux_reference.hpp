// The reference generator: the suite's RANLUX as it was stepped before it took its
// congruential form. The same interface as common/random/random.hpp (without the clock
// seeding), in its own namespace so that both can live in one program.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace ranlux_reference {

using RanluxState = std::array<std::int32_t, 25>;

float rndnum();
void ranlux(std::span<float> rvec);
void rluxgo(std::int32_t lux, std::int32_t ins, std::int32_t k1, std::int32_t k2);
void rluxat(std::int32_t& lout, std::int32_t& inout, std::int32_t& k1, std::int32_t& k2);
void rluxut(RanluxState& isdext);
bool rluxin(const RanluxState& isdext);

}  // namespace ranlux_reference
