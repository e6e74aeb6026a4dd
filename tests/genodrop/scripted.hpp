// Makes the generator deliver chosen deviates, so that a model step can be followed by hand.
#pragma once

#include <initializer_list>

namespace scripted {

// The next rndnum() calls (at most ten) return `values` in order, each rounded to a multiple
// of 2^-24; values must lie in [2^-12, 1).
void deviates(std::initializer_list<double> values);

// `x` as the generator delivers it: rounded to a multiple of 2^-24.
float as_delivered(double x);

}  // namespace scripted
