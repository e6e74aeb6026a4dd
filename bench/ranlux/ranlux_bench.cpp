// The generator's own cost at level 4: nanoseconds of CPU per number, the congruential form
// against the stepped generator it replaced (the reference copy of tests/random/reference/),
// measured in one process in alternating rounds so that the load of the machine weighs on
// both alike. Numbers are drawn in batches (as genodrop and simreps draw them) and one at a
// time through rndnum() (as traitsim and the floors draw them).
//
//   bench-ranlux [rounds]        (default 21)
//
// Prints the medians and, per way of drawing, "RESULT ranlux <way> <new_ns> <old_ns> <ratio>".
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "common/random/random.hpp"
#include "tests/random/reference/ranlux_reference.hpp"

namespace {

double cpu_ns() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return 1e9 * static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec);
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

constexpr int numbers = 1200000;  // per round and generator
constexpr int batch = 600;        // one haplotype of 300 loci, say

volatile float sink;

template <class Ranlux>
double batches(Ranlux ranlux) {
  std::vector<float> v(batch);
  float sum = 0.0f;
  const double start = cpu_ns();
  for (int k = 0; k < numbers / batch; ++k) {
    ranlux(v);
    sum += v[k % batch];
  }
  const double spent = cpu_ns() - start;
  sink = sum;
  return spent / numbers;
}

template <class Rndnum>
double singly(Rndnum rndnum) {
  float sum = 0.0f;
  const double start = cpu_ns();
  for (int k = 0; k < numbers; ++k) sum += rndnum();
  const double spent = cpu_ns() - start;
  sink = sum;
  return spent / numbers;
}

void report(const char* way, const std::vector<double>& fresh, const std::vector<double>& old) {
  const double n = median(fresh), o = median(old);
  std::printf("  %-24s old %6.2f ns, new %6.2f ns, %.1f times faster\n", way, o, n, o / n);
  std::printf("RESULT ranlux %s %.2f %.2f %.2f\n", way, n, o, n / o);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 21;
  if (rounds < 1) {
    std::fputs("usage: bench-ranlux [rounds]\n", stderr);
    return 2;
  }
  ranlux::rluxgo(4, 1, 0, 0);
  ranlux_reference::rluxgo(4, 1, 0, 0);
  std::vector<double> new_batch, old_batch, new_single, old_single;
  for (int r = 0; r < rounds; ++r) {
    old_batch.push_back(batches([](std::span<float> v) { ranlux_reference::ranlux(v); }));
    new_batch.push_back(batches([](std::span<float> v) { ranlux::ranlux(v); }));
    old_single.push_back(singly([] { return ranlux_reference::rndnum(); }));
    new_single.push_back(singly([] { return ranlux::rndnum(); }));
  }
  std::printf("RANLUX at level 4, CPU per number, median of %d rounds of %d numbers:\n", rounds,
              numbers);
  report("batches-of-600", new_batch, old_batch);
  report("one-at-a-time", new_single, old_single);
  return 0;
}
