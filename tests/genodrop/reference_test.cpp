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

namespace {

namespace fs = std::filesystem;

struct Locus {
  std::string name;  // at most 12 characters
  int alleles;
  std::string position;              // as written in the file, F8.2
  std::vector<std::string> freq[2];  // alleles 1..m-1, as written, F6.3
};

struct Person {
  int family, individual, father, mother, race, sex;
  long id;
};

std::string format(const char* layout, auto... values) {
  char buf[256];
  std::snprintf(buf, sizeof buf, layout, values...);
  return buf;
}

// An integer in w columns, or w asterisks when it does not fit.
std::string field(long value, int w) {
  std::string s = std::to_string(value);
  return static_cast<int>(s.size()) > w ? std::string(w, '*') : std::string(w - s.size(), ' ') + s;
}

std::string pad_right(const std::string& s, std::size_t n) { return (s + std::string(n, ' ')).substr(0, n); }

// Frequencies are written with a fixed number of decimals per field; one field per allele
// keeps every record on one line, whatever the allele count.
std::string chromosome_file(const std::vector<Locus>& loci, int freq_width) {
  std::string text;
  for (int k = 1; k <= 8; ++k) text += "free line " + std::to_string(k) + "\n";
  text += "(i5)\n";
  text += format("(a12,i4,f8.2,999f%d.3)\n", freq_width);
  text += format("(999f%d.3)\n", freq_width);
  text += "free line 12\n";
  text += format("%5d\n", static_cast<int>(loci.size()));
  for (const auto& l : loci) {
    text += pad_right(l.name, 12) + format("%4d", l.alleles) + format("%8s", l.position.c_str());
    for (const auto& f : l.freq[0]) text += format("%*s", freq_width, f.c_str());
    text += "\n";
    for (const auto& f : l.freq[1]) text += format("%*s", freq_width, f.c_str());
    text += "\n";
  }
  return text;
}

std::string pedigree_file(const std::vector<Person>& people) {
  std::string text = format("%5d%5d\n", static_cast<int>(people.size()), 2);
  for (const auto& p : people)
    text += format("%5d%5d%5d%5d%5d%5d%12ld\n", p.family, p.individual, p.father, p.mother, p.race,
                   p.sex, p.id);
  return text;
}

struct Expected {
  std::string genotypes, trace;
};

// The run as described: cumulative sums in single precision, founders by counting the sums
// below the deviate, passes until nothing is pending, Haldane's function per interval.
Expected reference(const std::vector<Locus>& loci, const std::vector<Person>& people, std::int32_t seed) {
  const int L = static_cast<int>(loci.size()), N = static_cast<int>(people.size());
  std::vector<std::vector<std::vector<float>>> cum(L, std::vector<std::vector<float>>(2));
  std::vector<float> pos(L);
  for (int j = 0; j < L; ++j) {
    pos[j] = std::strtof(loci[j].position.c_str(), nullptr);
    for (int q = 0; q < 2; ++q) {
      float s = 0.0f;
      for (const auto& f : loci[j].freq[q]) cum[j][q].push_back(s = s + std::strtof(f.c_str(), nullptr));
      cum[j][q].push_back(1.0f);
    }
  }
  std::vector<std::vector<std::vector<int>>> allele(N, std::vector<std::vector<int>>(2, std::vector<int>(L)));
  std::vector<std::vector<std::vector<float>>> dev(N, std::vector<std::vector<float>>(2, std::vector<float>(L)));
  std::vector<std::vector<int>> pending(N, std::vector<int>{1, 1});
  ranlux::rluxgo(4, seed, 0, 0);
  for (int i = 0; i < N; ++i) {
    if (people[i].father != 0) continue;
    for (int h = 0; h < 2; ++h)
      for (int j = 0; j < L; ++j) {
        const float u = ranlux::rndnum();
        int a = 1;
        for (int k = 0; k + 1 < loci[j].alleles; ++k) a += u > cum[j][people[i].race - 1][k];
        allele[i][h][j] = a;
        dev[i][h][j] = u;
      }
    pending[i] = {0, 0};
  }
  // Blocks: a new one wherever the family number changes.
  std::vector<int> first(N);
  for (int i = 0; i < N; ++i) first[i] = i > 0 && people[i].family == people[i - 1].family ? first[i - 1] : i;
  for (int pass = 0;; ++pass) {
    for (int i = 0; i < N; ++i)
      for (int h = 0; h < 2; ++h) {
        if (!pending[i][h]) continue;
        const int parent = first[i] + (h == 0 ? people[i].father : people[i].mother) - 1;
        if (pending[parent][0] || pending[parent][1]) continue;
        int c = 0;
        for (int j = 0; j < L; ++j) {
          float r = 0.5f;
          if (j > 0) {
            const float d = static_cast<float>(static_cast<double>(pos[j] - pos[j - 1]) * 0.01);
            r = d >= 300.0f ? 0.5f : (1.0f - static_cast<float>(std::exp(-2.0 * d))) / 2.0f;
          }
          const float u = ranlux::rndnum();
          if (u <= r) c = 1 - c;
          allele[i][h][j] = allele[parent][c][j];
          dev[i][h][j] = u;
        }
        pending[i][h] = 0;
      }
    bool done = true;
    for (int i = 0; i < N; ++i) done = done && !pending[i][0] && !pending[i][1];
    if (done) break;
  }
  Expected e;
  e.genotypes = format("%5d%5d\n", N, L);
  for (const auto& l : loci) e.genotypes += pad_right(l.name, 12);
  e.genotypes += "\n";
  for (int i = 0; i < N; ++i) {
    const Person& p = people[i];
    e.trace += field(p.family, 3) + field(p.individual, 3) + field(p.father, 3) + field(p.mother, 3) +
               field(p.race, 3) + field(p.id, 12);
    for (int j = 0; j < L; ++j) e.trace += field(allele[i][0][j], 6);
    e.trace += "\n";
    auto under = [&](auto value) {
      if (L > 0) e.trace += std::string(27, ' ');
      for (int j = 0; j < L; ++j) e.trace += value(j);
      e.trace += "\n";
    };
    under([&](int j) { return format("%6.3f", dev[i][0][j]); });
    under([&](int j) { return field(allele[i][1][j], 6); });
    under([&](int j) { return format("%6.3f", dev[i][1][j]); });
    for (int j = 0; j < L; ++j) e.genotypes += "      " + field(allele[i][0][j], 3) + field(allele[i][1][j], 3);
    e.genotypes += "\n";
  }
  return e;
}

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
