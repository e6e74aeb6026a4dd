// The floor genodrop is measured against: the work no gene dropper of this output can skip.
// It seeds the generator as genodrop does, draws the deviates a run of `individuals` x `loci`
// draws (one per allele: two haplotypes of every individual at every locus), and writes
// `genotype_bytes` to the genotype file and `trace_bytes` to the trace file, each created or
// replaced as genodrop does. The bytes go out in 64 KiB pieces from one buffer, as the record
// layer sends them: making the bytes is genodrop's work, only writing them is the floor's.
//
//   genodrop-floor individuals loci genotype_bytes trace_bytes genotype_file trace_file
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/random/random.hpp"

namespace {

constexpr std::size_t piece_bytes = 64 * 1024;

bool write_file(const char* name, std::size_t bytes) {
  static char buffer[piece_bytes];
  std::memset(buffer, ' ', piece_bytes);
  for (std::size_t i = 119; i < piece_bytes; i += 120) buffer[i] = '\n';
  int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < bytes) {
    const std::size_t piece = bytes - done < piece_bytes ? bytes - done : piece_bytes;
    ssize_t n = ::write(fd, buffer, piece);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return ::close(fd) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fprintf(stderr, "usage: genodrop-floor individuals loci genotype_bytes trace_bytes genotype_file trace_file\n");
    return 2;
  }
  const long deviates = 2L * std::atol(argv[1]) * std::atol(argv[2]);
  ranlux::rndseed();
  // The sum keeps the draws from being optimised away.
  float sum = 0.0f;
  for (long k = 0; k < deviates; ++k) sum += ranlux::rndnum();
  if (!write_file(argv[5], std::strtoul(argv[3], nullptr, 10)) ||
      !write_file(argv[6], std::strtoul(argv[4], nullptr, 10))) {
    std::perror("genodrop-floor");
    return 1;
  }
  return sum < 0.0f ? 1 : 0;
}
