// The floor of a benchmark: the least work a program could do for its result.
//
//   bench-floor DEVIATES OUTBYTES OUTFILE [INPUT...]
//
// Draws DEVIATES numbers from the suite's generator, as the simulators seed it, reads every
// INPUT to its end, and writes OUTBYTES bytes to OUTFILE. A program is timed against this
// helper run with its own counts: what it takes beyond is the cost of its own work.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/random/random.hpp"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: bench-floor DEVIATES OUTBYTES OUTFILE [INPUT...]\n", stderr);
    return 2;
  }
  const long long deviates = std::atoll(argv[1]);
  long long outbytes = std::atoll(argv[2]);

  ranlux::rluxgo(4, 1, 0, 0);
  float sum = 0.0f;
  for (long long i = 0; i < deviates; ++i) sum += ranlux::rndnum();

  std::vector<char> buffer(1 << 16, ' ');
  for (int a = 4; a < argc; ++a) {
    std::FILE* in = std::fopen(argv[a], "rb");
    if (in == nullptr) return 1;
    while (std::fread(buffer.data(), 1, buffer.size(), in) == buffer.size()) {
    }
    std::fclose(in);
  }
  std::FILE* out = std::fopen(argv[3], "wb");
  if (out == nullptr) return 1;
  buffer.assign(buffer.size(), static_cast<char>('0' + static_cast<int>(sum) % 10));
  while (outbytes > 0) {
    const std::size_t n = outbytes < static_cast<long long>(buffer.size())
                              ? static_cast<std::size_t>(outbytes) : buffer.size();
    if (std::fwrite(buffer.data(), 1, n, out) != n) return 1;
    outbytes -= static_cast<long long>(n);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
