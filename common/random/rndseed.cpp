// Seeding from the clock, as genodrop and traitsim seed.
#include <ctime>

#include "common/random/random.hpp"

namespace ranlux {

void rndseed() {
  // The low 32 bits of the clock, as a signed integer: from 2038 on the seed is negative and
  // rluxgo falls back to its default seed with a warning.
  const auto seconds = static_cast<std::uint32_t>(static_cast<std::uint64_t>(std::time(nullptr)));
  rluxgo(4, static_cast<std::int32_t>(seconds), 0, 0);
}

}  // namespace ranlux
