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
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "common/field_formats/plink.hpp"
#include "common/field_formats/vcf.hpp"
#include "common/random/random.hpp"
#include "simreps/formats.hpp"
#include "simreps/replicate.hpp"
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

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double seconds_since(double start) { return cpu_seconds() - start; }

// One replicate made and written as simreps writes it: SOLAR's files, and with `field` the
// VCF with its index and the PLINK files as well.
void write_replicate(const simreps::Inputs& inputs, simreps::Replicate& replicate, std::int64_t r,
                     const simreps::FieldFiles* field, const std::string& work, std::string& text) {
  if (auto problem = simreps::make_replicate(inputs, simreps::seeds_of(1000, r), replicate)) {
    std::printf("replicate_cost: %s\n", problem->text.c_str());
    std::exit(1);
  }
  text.clear();
  simreps::render_markers(inputs, replicate, text);
  write_file((work + "/bench-mark.sol").c_str(), text);
  text.clear();
  simreps::render_phenotypes(inputs, replicate, text);
  write_file((work + "/bench-phen.sol").c_str(), text);
  if (field == nullptr) return;
  const auto alleles = simreps::alleles_of(inputs, replicate);
  std::vector<double> traits;
  simreps::traits_of(replicate, traits);
  if (field->formats.vcf)
    if (auto failed = field_formats::write_vcf(work + "/bench.vcf.gz", field->layout, alleles, {{"source", "bench"}})) {
      std::printf("replicate_cost: %s\n", failed->text.c_str());
      std::exit(1);
    }
  if (field->formats.plink) {
    text.clear();
    field_formats::render_bed(field->layout, alleles, field->biallelic, text);
    write_file((work + "/bench.bed").c_str(), text);
    text.clear();
    field_formats::render_bim(field->layout, field->biallelic, text);
    write_file((work + "/bench.bim").c_str(), text);
    text.clear();
    field_formats::render_fam(field->layout, traits, text);
    write_file((work + "/bench.fam").c_str(), text);
  }
}

// The replicate path in `list`'s formats against SOLAR's alone, replicate by replicate.
int compare_formats(const std::string& work, int replicates, const std::string& list) {
  auto inputs = std::make_unique<simreps::Inputs>();
  if (auto problem = simreps::read_inputs(work, *inputs, {"chromosome.wrk"}, {"chromosome.wrk"}, simreps::file_limits)) {
    std::printf("replicate_cost: %s\n", problem->text.c_str());
    return 1;
  }
  simreps::Formats formats;
  auto field = std::make_unique<simreps::FieldFiles>();
  if (!simreps::parse_formats(list, formats)) return 1;
  if (auto problem = simreps::prepare_field_files(*inputs, formats, simreps::default_bp_per_cm, {"1"}, *field)) {
    std::printf("replicate_cost: %s\n", problem->text.c_str());
    return 1;
  }
  auto replicate = std::make_unique<simreps::Replicate>();
  replicate->keep_deviates = false;
  std::vector<double> with, without;
  std::string text;
  for (int r = 1; r <= replicates; ++r) {
    double start = cpu_seconds();
    write_replicate(*inputs, *replicate, r, field.get(), work, text);
    with.push_back(seconds_since(start));
    start = cpu_seconds();
    write_replicate(*inputs, *replicate, r, nullptr, work, text);
    without.push_back(seconds_since(start));
  }
  for (const char* name : {"bench-mark.sol", "bench-phen.sol", "bench.vcf.gz", "bench.vcf.gz.csi", "bench.bed",
                           "bench.bim", "bench.fam"})
    std::remove((work + "/" + name).c_str());
  const double w = median(with), s = median(without);
  std::printf("%lld individuals, %d loci (%zu biallelic markers): --formats %s %.4f s, solar %.4f s (CPU, median of %d)\n",
              static_cast<long long>(inputs->pedigree.count), inputs->first().loci.count, field->biallelic.size(),
              list.c_str(), w, s, replicates);
  std::printf("RESULT simreps formats-%s %.4f %.4f %.2f\n", list.c_str(), w, s, w / s);
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
  if (auto problem = simreps::read_inputs(work, *inputs, {"chromosome.wrk"}, {"chromosome.wrk"}, simreps::file_limits)) {
    std::printf("replicate_cost: %s\n", problem->text.c_str());
    return 1;
  }
  auto replicate = std::make_unique<simreps::Replicate>();
  replicate->keep_deviates = false;  // as a simreps worker without --keep-working
  const std::string mark = work + "/bench-mark.sol", phen = work + "/bench-phen.sol";

  // The numbers one replicate draws: one per allele of every haplotype, twelve per phenotype.
  const std::int64_t count = inputs->pedigree.count;
  std::vector<float> genotype_numbers(static_cast<std::size_t>(2 * count * inputs->first().loci.count));
  std::vector<float> trait_numbers(static_cast<std::size_t>(12 * count));

  std::vector<double> path, floor;
  std::string markers, phenotypes;
  for (int r = 1; r <= replicates; ++r) {
    double start = cpu_seconds();
    markers.clear();
    phenotypes.clear();
    if (auto problem = simreps::make_replicate(*inputs, simreps::seeds_of(1000, r), *replicate)) {
      std::printf("replicate_cost: %s\n", problem->text.c_str());
      return 1;
    }
    simreps::render_markers(*inputs, *replicate, markers);
    simreps::render_phenotypes(*inputs, *replicate, phenotypes);
    write_file(mark.c_str(), markers);
    write_file(phen.c_str(), phenotypes);
    path.push_back(cpu_seconds() - start);

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
  std::printf("RESULT simreps replicate-cpu %.4f %.4f %.2f\n", p, f, p / f);
  return 0;
}
