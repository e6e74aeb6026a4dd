// The test build's hook into the generator: genodrop and traitsim built with this file instead
// of the clock seeding draw from the stream that the replicate seeds scheme names. The seed
// comes from SEEDED_RNDSEED; the stream is RANLUX at level 4 seeded with it, its first 48
// numbers thrown away. Written from the scheme's description, not from simreps' code, so that
// the comparison checks simreps against the scheme.
#include <cstdio>
#include <cstdlib>

#include "common/random/random.hpp"

namespace ranlux {

void rndseed() {
  const char* seed = std::getenv("SEEDED_RNDSEED");
  if (seed == nullptr) {
    std::fputs("SEEDED_RNDSEED is not set\n", stderr);
    std::exit(2);
  }
  rluxgo(4, static_cast<std::int32_t>(std::atol(seed)), 0, 0);
  for (int i = 0; i < 48; ++i) rndnum();
}

}  // namespace ranlux
