// genodrop end to end under a pinned clock, against a reference computation written here from
// the description of the run: the same seed, the deviates drawn in the same order (founders
// in file order, haplotype 1 then 2, loci in order; then passes over blocks, rows, father
// then mother), and both files formatted with printf. Only the generator is shared with the
// program, and it is checked against its published values on its own.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "common/random/random.hpp"
#include "tests/genodrop/reference_drop.hpp"

namespace {

namespace fs = std::filesystem;

using namespace reference_drop;

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void spit(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

struct Outcome {
  int status;
  std::string out, err;
};

// Runs genodrop with `args` in a fresh folder holding the two input files, the clock pinned
// at `seed` seconds. The clock is given as a date in faketime's own format, which starts it
// at the whole second: "faketime '@T'" keeps the fraction of the real second, so a start-up
// slower than the rest of that second (common under the sanitizers) would see T + 1.
Outcome run_genodrop(const fs::path& dir, std::int32_t seed, const std::string& args) {
  const std::time_t t = seed;
  char date[64];
  std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", std::gmtime(&t));
  const std::string cmd = "cd '" + dir.string() + "' && TZ=UTC faketime -f '@" + date + "' " +
                          GENODROP_BIN + " " + args + " >stdout 2>stderr";
  const int status = std::system(cmd.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir / "stdout"), slurp(dir / "stderr")};
}

class Genodrop : public testing::Test {
 protected:
  fs::path dir;
  void SetUp() override {
    ASSERT_EQ(std::system("command -v faketime >/dev/null"), 0) << "faketime is needed to pin the clock";
    dir = fs::temp_directory_path() /
          ("genodrop-ref-" + std::to_string(::getpid()) + "-" +
           testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(dir);
  }

  // Writes the inputs, runs, and compares both files with the reference byte for byte.
  void check(const std::vector<Locus>& loci, const std::vector<Person>& people, std::int32_t seed,
             const std::string& output = "", int freq_width = 6) {
    spit(dir / "chr.wrk", chromosome_file(loci, freq_width));
    spit(dir / "pe2.wrk", pedigree_file(people));
    const Outcome r = run_genodrop(dir, seed, "chr.wrk pe2.wrk" + (output.empty() ? "" : " " + output));
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    const Expected e = reference(loci, people, seed);
    const std::string got_genotypes = slurp(dir / (output.empty() ? "gntp.wrk" : output));
    const std::string got_trace = slurp(dir / "gntp.wrk_tmp");
    EXPECT_EQ(got_genotypes.size(), e.genotypes.size());
    EXPECT_TRUE(got_genotypes == e.genotypes) << "genotype file differs; kept in " << dir;
    EXPECT_EQ(got_trace.size(), e.trace.size());
    EXPECT_TRUE(got_trace == e.trace) << "trace file differs; kept in " << dir;
  }
};

std::vector<Locus> five_loci() {
  return {
      {"D1S1", 2, "0.00", {{"0.300"}, {"0.800"}}},
      {"qtl1", 3, "10.00", {{"0.200", "0.300"}, {"0.500", "0.500"}}},
      {"D1S2", 4, "10.00", {{"0.500", "-.200", "0.300"}, {"0.250", "0.250", "0.250"}}},
      {"D1S3 long nm", 1, "60.25", {{}, {}}},
      {"D1S4", 12, "99.50",
       {{"0.010", "0.020", "0.030", "0.040", "0.050", "0.060", "0.070", "0.080", "0.090", "0.100", "0.110"},
        {"0.200", "0.000", "0.000", "0.000", "0.000", "0.000", "0.000", "0.000", "0.000", "0.000", "0.700"}}},
  };
}

TEST_F(Genodrop, SeveralBlocksAndChildrenBeforeTheirParents) {
  // Family 3 lists a grandchild first, its father (a child) next; family 5 comes in two runs,
  // which are two blocks; family 2 is founders only.
  const std::vector<Person> people = {
      {3, 1, 2, 3, 0, 1, 301},  {3, 2, 4, 5, 0, 1, 302}, {3, 3, 0, 0, 1, 2, 303},
      {3, 4, 0, 0, 2, 1, 304},  {3, 5, 0, 0, 1, 2, 305}, {2, 1, 0, 0, 2, 1, -1},
      {2, 2, 0, 0, 2, 2, -2},   {5, 1, 0, 0, 1, 1, 501}, {5, 2, 0, 0, 1, 2, 502},
      {5, 3, 1, 2, 0, 2, 503},  {1, 1, 0, 0, 1, 1, 11},  {5, 1, 0, 0, 2, 1, 504},
      {5, 2, 0, 0, 1, 2, 505},  {5, 3, 1, 2, 0, 1, 506}, {5, 4, 1, 2, 0, 2, 507},
      {5, 5, 4, 3, 0, 2, 508},  {5, 6, 5, 2, 0, 1, 509},
  };
  check(five_loci(), people, 1000000007, "out.gen");
  EXPECT_FALSE(fs::exists(dir / "gntp.wrk"));
}

TEST_F(Genodrop, FoundersOnlyZeroLociAndZeroIndividuals) {
  const std::vector<Person> founders = {{1, 1, 0, 0, 1, 1, 7}, {1, 2, 0, 0, 2, 2, 8}, {2, 1, 0, 3, 2, 2, 9}};
  check(five_loci(), founders, 123456789);
  check({}, {{1, 1, 0, 0, 1, 1, 1}, {1, 2, 0, 0, 2, 2, 2}, {1, 3, 1, 2, 0, 1, 3}}, 42);
  check(five_loci(), {}, 77);
  check({}, {}, 78);
}

TEST_F(Genodrop, AllelesAboveOneByteAreWrittenWhole) {
  // 999 alleles: population 1 on alleles 127 to 130, 998 and 999, population 2 on 999 only.
  Locus wide{"many", 999, "5.00", {}};
  for (int a = 1; a < 999; ++a) {
    const bool common = (a >= 127 && a <= 130) || a == 998;
    wide.freq[0].push_back(common ? (a == 998 ? "0.150" : "0.200") : "0.000");
    wide.freq[1].push_back("0.000");
  }
  Locus next{"next", 2, "5.50", {{"0.500"}, {"0.500"}}};
  const std::vector<Person> people = {{1, 1, 0, 0, 1, 1, 1}, {1, 2, 0, 0, 2, 2, 2}, {1, 3, 1, 2, 0, 1, 3},
                                      {1, 4, 3, 2, 0, 2, 4}, {1, 5, 0, 0, 1, 2, 5}, {1, 6, 1, 5, 0, 1, 6}};
  check({wide, next}, people, 31415, "", 5);
  const std::string got = slurp(dir / "gntp.wrk");
  EXPECT_NE(got.find("999"), std::string::npos);
}

TEST_F(Genodrop, LargestPedigreeAndChromosome) {
  // 5000 individuals in 100 blocks of 50 (each a founder couple, children of theirs listed
  // first, grandchildren), 100 loci of 20 alleles.
  std::vector<Locus> loci;
  for (int j = 0; j < 100; ++j) {
    Locus l{"L" + std::to_string(j + 1), 20, format("%.2f", 1.5 * j), {}};
    for (int a = 1; a < 20; ++a) {
      l.freq[0].push_back("0.050");
      l.freq[1].push_back(a % 2 ? "0.010" : "0.090");
    }
    loci.push_back(l);
  }
  std::vector<Person> people;
  for (int f = 1; f <= 100; ++f)
    for (int i = 1; i <= 50; ++i) {
      if (i <= 24) people.push_back({f, i, 49, 50, 0, 1 + i % 2, f * 1000L + i});
      else if (i <= 48) people.push_back({f, i, i - 24, 50, 0, 1 + i % 2, f * 1000L + i});
      else people.push_back({f, i, 0, 0, 1 + f % 2, i - 48, f * 1000L + i});
    }
  check(loci, people, 1700000000);
}

TEST_F(Genodrop, OneFamilyOfFiveThousandWritesWideNumbersAsAsterisks) {
  std::vector<Locus> loci = {{"only", 2, "0.00", {{"0.500"}, {"0.500"}}}};
  std::vector<Person> people;
  for (int i = 1; i <= 5000; ++i)
    people.push_back(i <= 2 ? Person{4, i, 0, 0, i, i, i} : Person{4, i, i - 1, i == 3 ? 2 : i - 2, 0, 1, i});
  check(loci, people, 99);
}

}  // namespace
