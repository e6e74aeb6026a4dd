#include "simreps/progress.hpp"

#include <cstdio>

namespace simreps {

Progress::Progress(std::int64_t total, bool shown)
    : total_(total), shown_(shown && total > 0), start_(std::chrono::steady_clock::now()), drawn_(start_) {
  if (shown_) draw();
}

void Progress::step() {
  ++done_;
  if (!shown_) return;
  const auto now = std::chrono::steady_clock::now();
  if (done_ < total_ && now - drawn_ < std::chrono::milliseconds(200)) return;
  drawn_ = now;
  draw();
}

void Progress::draw() {
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  const double rate = seconds > 0 ? static_cast<double>(done_) / seconds : 0;
  char left[40] = "";
  if (rate > 0 && done_ < total_) {
    const auto s = static_cast<long long>(static_cast<double>(total_ - done_) / rate + 0.5);
    if (s >= 3600) std::snprintf(left, sizeof left, ", %lld h %02lld min left", s / 3600, s / 60 % 60);
    else if (s >= 60) std::snprintf(left, sizeof left, ", %lld min %02lld s left", s / 60, s % 60);
    else std::snprintf(left, sizeof left, ", %lld s left", s);
  }
  std::fprintf(stderr, "\r\033[Ksimreps: %lld/%lld replicates, %.1f per second%s",
               static_cast<long long>(done_), static_cast<long long>(total_), rate, left);
  std::fflush(stderr);
}

void Progress::finish() {
  if (!shown_) return;
  draw();
  std::fputc('\n', stderr);
}

}  // namespace simreps
