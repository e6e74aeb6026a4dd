#include "tests/genodrop/scripted.hpp"

#include <cmath>
#include <stdexcept>

#include "common/random/random.hpp"

namespace scripted {

float as_delivered(double x) { return static_cast<float>(std::round(x * 16777216.0) / 16777216.0); }

// With the lag-24 elements zero and no carry, step n delivers the lag at position 10 - n, so
// the first ten steps deliver lags 10, 9, ..., 1 unchanged.
void deviates(std::initializer_list<double> values) {
  if (values.size() > 10) throw std::invalid_argument("at most ten scripted deviates");
  ranlux::RanluxState state{};
  int position = 10;
  for (double x : values) state[position-- - 1] = static_cast<std::int32_t>(std::round(x * 16777216.0));
  state[24] = 24 + 100 * 10 + 1000000 * 4;
  if (!ranlux::rluxin(state)) throw std::invalid_argument("scripted state refused");
}

}  // namespace scripted
