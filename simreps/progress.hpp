// The progress line on standard error: replicates done out of all, the rate and the time left,
// rewritten in place at most five times a second.
#pragma once

#include <chrono>
#include <cstdint>

namespace simreps {

class Progress {
 public:
  // Shows nothing unless `shown` (standard error is a terminal and --quiet was not given).
  Progress(std::int64_t total, bool shown);
  // One more replicate done.
  void step();
  // Ends the line.
  void finish();

 private:
  void draw();
  std::int64_t total_;
  std::int64_t done_ = 0;
  bool shown_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point drawn_;
};

}  // namespace simreps
