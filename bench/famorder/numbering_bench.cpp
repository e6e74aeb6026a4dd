// famorder's benchmark helper.
//
//   famorder-bench write families|scattered|chains FILE   writes a raw pedigree file of 99,999 records
//   famorder-bench scale                        times the in-process numbering at 10k, 100k
//                                               and 1M records, and the literal method at 10k
//                                               and 30k
#include <ctime>
#include <cstdio>
#include <cstring>
#include <string>

#include "bench/famorder/shapes.hpp"
#include "famorder/orpd.hpp"
#include "tests/famorder/literal.hpp"

namespace {

// Processor time of `work`, which other programs on the machine disturb less than wall time.
double seconds_of(auto&& work) {
  const std::clock_t t0 = std::clock();
  work();
  return static_cast<double>(std::clock() - t0) / CLOCKS_PER_SEC;
}

// The best of `runs` timings of the fast numbering of `input`, which must be refused when
// `refused` says so and numbered otherwise.
double fast(const std::vector<rawped::PedRecord>& input, int runs, bool refused = false) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    famorder::PedTable table{input, std::vector<std::int32_t>(input.size(), 0)};
    outcome::Outcome out;
    std::int32_t numped = 0;
    best = std::min(best, seconds_of([&] { out = famorder::orpd(table, "bench", numped); }));
    if (out.has_value() != refused) {
      std::fprintf(stderr, "numbering %s: %s\n", refused ? "succeeded" : "failed",
                   out ? out->text.c_str() : "");
      std::exit(1);
    }
  }
  return best;
}

int write_file(const std::string& shape, const char* path) {
  const auto records = shape == "chains"      ? bench::chains(99999, 12, 7)
                       : shape == "scattered" ? bench::scattered(99999, 998, 5, 7)
                                              : bench::families(99999, 998, 7);
  std::FILE* f = std::fopen(path, "w");
  if (f == nullptr) return 1;
  std::fprintf(f, "benchmark pedigree: %s\n%zu\n", shape.c_str(), records.size());
  for (const auto& r : records) {
    std::fprintf(f, "%d %d %d %d %d p%d\n", r.id, r.nfat, r.nmat, r.race, r.sex, r.id % 1000);
  }
  return std::fclose(f) == 0 ? 0 : 1;
}

int scale() {
  std::printf("%-10s %10s %12s %12s %8s\n", "shape", "records", "fast s", "literal s", "ratio");
  for (const std::size_t n : {10000u, 100000u, 1000000u}) {
    const auto fam = bench::families(n, std::min<std::size_t>(998, n / 100), 11);
    const auto chn = bench::chains(n, 12, 11);
    std::printf("%-10s %10zu %12.4f\n", "families", n, fast(fam, n > 100000 ? 3 : 5));
    std::printf("%-10s %10zu %12.4f\n", "chains", n, fast(chn, n > 100000 ? 3 : 5));
    // A record with one parent at the end: ofre's own order must be followed to find it, so
    // this times the exact grouping through the whole table.
    auto bad = chn;
    bad.push_back(rawped::PedRecord{0, -7, 0, 3, 1, 1, 0, {}});
    std::printf("%-10s %10zu %12.4f\n", "chains+err", n,
                fast(bad, n > 100000 ? 3 : 5, true));
  }
  for (const std::size_t n : {10000u, 30000u}) {
    const auto fam = bench::families(n, n / 100, 11);
    const double f = fast(fam, 5);
    literal::Result lit;
    const double l = seconds_of([&] { lit = literal::orpd(fam); });
    std::printf("%-10s %10zu %12.4f %12.4f %8.0f\n", "families", n, f, l, l / f);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "once") == 0) {  // for profiling: one shape, one size
    const std::size_t n = std::stoul(argv[3]);
    const auto input = std::string(argv[2]) == "chains" ? bench::chains(n, 12, 11)
                                                        : bench::families(n, std::min<std::size_t>(998, n / 100), 11);
    std::printf("%.4f s\n", fast(input, 1));
    return 0;
  }
  if (argc == 4 && std::strcmp(argv[1], "write") == 0) return write_file(argv[2], argv[3]);
  if (argc == 2 && std::strcmp(argv[1], "scale") == 0) return scale();
  std::fputs("usage: famorder-bench write families|scattered|chains FILE | famorder-bench scale\n", stderr);
  return 2;
}
