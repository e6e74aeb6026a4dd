// Per-replicate CPU time of simreps' replicate path against its floor, in one process.
//
//   replicate_cost WORK REPLICATES [FORMATS]
//
// WORK holds chromosome.wrk, pe2.wrk and model.wrk. The replicate path is what a simreps
// worker does for one replicate: both streams seeded, genotypes and phenotypes made,
// mark.sol and phen.sol rendered and written. The floor is what no implementation can avoid:
// the replicate's RANLUX numbers (both streams seeded, their starts thrown away, and the
// numbers of the replicate drawn in one call each, the fastest the generator gives them) and
// writing the bytes of its two files. Both are timed alternately, replicate by
// replicate, so that machine load weighs on both alike; the medians are printed.
//
// With FORMATS, a replicate written in those formats against SOLAR's files alone, both as a
// simreps worker writes them (every file checksummed for the completion record), in CPU and
// in wall time, and the formats again with the VCF's blocks stored rather than deflated.
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/random/random.hpp"
#include "simreps/checksum.hpp"
#include "simreps/completion.hpp"
#include "simreps/durable.hpp"
#include "simreps/format_files.hpp"
#include "simreps/formats.hpp"
#include "simreps/replicate.hpp"
#include "simreps/solar_files.hpp"
#include "simreps/solar_text.hpp"

namespace {

double cpu_seconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void write_file(const char* name, const std::string& bytes) {
  const int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
    std::perror(name);
    std::exit(1);
  }
  ::close(fd);
}

long peak_kilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double wall_seconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void stop_on(const outcome::Outcome& problem) {
  if (!problem) return;
  std::printf("replicate_cost: %s\n", problem->text.c_str());
  std::exit(1);
}

// One replicate made and written into `folder` as a simreps worker writes it: SOLAR's files,
// each checksummed for the completion record, and with `field` the files of its formats
// through simreps' own writer (which checksums them too).
void write_replicate(const simreps::Inputs& inputs, simreps::Replicate& replicate, std::int64_t r,
                     const simreps::FieldFiles* field, const std::string& folder) {
  const simreps::Seeds seeds = simreps::seeds_of(1000, r);
  stop_on(simreps::make_replicate(inputs, seeds, replicate));
  simreps::FileSums sums;
  stop_on(simreps::write_solar_files(inputs, replicate, folder, sums));
  if (field != nullptr) stop_on(simreps::write_format_files(*field, inputs, replicate, 1000, r, seeds, folder, sums));
}

struct Cost {
  std::vector<double> cpu, wall;
};

// Times one replicate written by `write` into a fresh `folder`, as a simreps worker writes
// each into a folder of its own, into `cost`, in processor and in wall seconds; the folder is
// removed after. (Files written over in place would wait for the writes of the ones before.)
template <typename Write>
void time_replicate(Cost& cost, const std::string& folder, Write write) {
  std::filesystem::create_directories(folder);
  const double cpu = cpu_seconds(), wall = wall_seconds();
  write();
  cost.cpu.push_back(cpu_seconds() - cpu);
  cost.wall.push_back(wall_seconds() - wall);
  std::filesystem::remove_all(folder);
}

// The replicate path in `list`'s formats against SOLAR's alone, replicate by replicate, and in
// turn with them the same formats with the VCF's blocks stored rather than deflated (level 0):
// what is left of the formats' cost without the deflate.
int compare_formats(const std::string& work, int replicates, const std::string& list) {
  auto inputs = std::make_unique<simreps::Inputs>();
  stop_on(simreps::read_inputs(work, *inputs, {"chromosome.wrk"}, {"chromosome.wrk"}, simreps::file_limits));
  simreps::Formats formats;
  auto field = std::make_unique<simreps::FieldFiles>();
  if (!simreps::parse_formats(list, formats)) return 1;
  stop_on(simreps::prepare_field_files(*inputs, formats, simreps::default_bp_per_cm, {"1"}, *field));
  stop_on(simreps::make_vcf_header(*field));
  auto stored = std::make_unique<simreps::FieldFiles>(*field);
  stored->vcf_level = 0;
  auto replicate = std::make_unique<simreps::Replicate>();
  replicate->keep_deviates = false;
  const std::string folder = work + "/bench-replicate";
  Cost with, without, unpacked;
  for (int r = 1; r <= replicates; ++r) {
    time_replicate(with, folder, [&] { write_replicate(*inputs, *replicate, r, field.get(), folder); });
    time_replicate(without, folder, [&] { write_replicate(*inputs, *replicate, r, nullptr, folder); });
    time_replicate(unpacked, folder, [&] { write_replicate(*inputs, *replicate, r, stored.get(), folder); });
  }
  const double w = median(with.cpu), s = median(without.cpu), u = median(unpacked.cpu);
  std::printf("%lld individuals, %d loci (%zu biallelic markers), median of %d:\n",
              static_cast<long long>(inputs->pedigree.count), inputs->first().loci.count, field->biallelic.size(),
              replicates);
  std::printf("  --formats %s: %.4f s CPU, %.4f s wall; solar: %.4f s CPU, %.4f s wall; ratio %.2f CPU, %.2f wall\n",
              list.c_str(), w, median(with.wall), s, median(without.wall), w / s,
              median(with.wall) / median(without.wall));
  std::printf("  the same with the VCF's blocks stored (level 0): %.4f s CPU, ratio %.2f\n", u, u / s);
  std::printf("RESULT simreps formats-%s %.4f %.4f %.2f\n", list.c_str(), w, s, w / s);
  std::printf("RESULT simreps formats-%s-wall %.4f %.4f %.2f\n", list.c_str(), median(with.wall),
              median(without.wall), median(with.wall) / median(without.wall));
  std::printf("RESULT simreps formats-%s-stored %.4f %.4f %.2f\n", list.c_str(), u, s, u / s);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fputs("usage: replicate_cost WORK REPLICATES [FORMATS]\n", stderr);
    return 1;
  }
  if (argc == 4) return compare_formats(argv[1], std::atoi(argv[2]), argv[3]);
  const std::string work = argv[1];
  const int replicates = std::atoi(argv[2]);
  auto inputs = std::make_unique<simreps::Inputs>();
  stop_on(simreps::read_inputs(work, *inputs, {"chromosome.wrk"}, {"chromosome.wrk"}, simreps::file_limits));
  auto replicate = std::make_unique<simreps::Replicate>();
  replicate->keep_deviates = false;  // as a simreps worker without --keep-working
  const std::string mark = work + "/bench-mark.sol", phen = work + "/bench-phen.sol";

  // The numbers one replicate draws: one per allele of every haplotype, twelve per phenotype.
  const std::int64_t count = inputs->pedigree.count;
  std::vector<float> genotype_numbers, trait_numbers;  // made after the path's peak is taken

  std::vector<double> path, floor;
  long path_peak = 0;  // what the process holds making a replicate, before the floor's texts
  std::string markers, phenotypes;
  const std::string folder = work + "/bench-replicate";
  for (int r = 1; r <= replicates; ++r) {
    // The path: the replicate made and its files written and checksummed, as a worker does.
    std::filesystem::create_directories(folder);
    double start = cpu_seconds();
    stop_on(simreps::make_replicate(*inputs, simreps::seeds_of(1000, r), *replicate));
    simreps::FileSums sums;
    stop_on(simreps::write_solar_files(*inputs, *replicate, folder, sums));
    path.push_back(cpu_seconds() - start);
    std::filesystem::remove_all(folder);
    if (r == 1) {
      path_peak = peak_kilobytes();
      genotype_numbers.resize(static_cast<std::size_t>(2 * count * inputs->first().loci.count));
      trait_numbers.resize(static_cast<std::size_t>(12 * count));
    }

    // The floor writes the same bytes, rendered beforehand.
    markers.clear();
    phenotypes.clear();
    simreps::render_markers(*inputs, *replicate, [&markers](std::string_view piece) { markers.append(piece); });
    simreps::render_phenotypes(*inputs, *replicate, phenotypes);
    start = cpu_seconds();
    simreps::start_stream(2000 + 2 * r);
    ranlux::ranlux(genotype_numbers);
    simreps::start_stream(2001 + 2 * r);
    ranlux::ranlux(trait_numbers);
    write_file(mark.c_str(), markers);
    write_file(phen.c_str(), phenotypes);
    floor.push_back(cpu_seconds() - start);
  }
  std::remove(mark.c_str());
  std::remove(phen.c_str());
  const double p = median(path), f = median(floor);
  std::printf("%lld individuals, %d loci, %zu bytes written per replicate\n",
              static_cast<long long>(count), inputs->first().loci.count, markers.size() + phenotypes.size());
  std::printf("replicate path %.4f s, floor %.4f s (CPU, median of %d)\n", p, f, replicates);
  std::printf("replicate tables %zu bytes\n", simreps::table_bytes(*inputs, false));
  std::printf("replicate path peak %ld kB\n", path_peak);
  std::printf("RESULT simreps replicate-cpu %.4f %.4f %.2f\n", p, f, p / f);
  return 0;
}
