// How a genodrop step reports data that ends the run: the exact line the fatal stop prints.
// The driver alone decides to stop; the steps only say why.
#pragma once

#include <optional>
#include <string>

namespace genodrop {

struct Stop {
  std::string text;
};

// A step's result: empty when the step succeeded.
using Outcome = std::optional<Stop>;

}  // namespace genodrop
