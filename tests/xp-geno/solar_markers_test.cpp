#include "xp-geno/solar_markers.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "common/files/output_file.hpp"
#include "tests/xp-geno/temp_file.hpp"

namespace {

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Random pedigrees and marker files, their items spread over lines at random, converted and
// compared with a SOLAR file built directly from the same values.
TEST(SolarMarkers, MatchesAReferenceOnRandomFiles) {
  std::mt19937 random(2024);
  const std::string out_path = testing::TempDir() + "xp-geno-random.sol";
  for (int trial = 0; trial < 40; ++trial) {
    const int n = static_cast<int>(random() % 60);
    const int m = static_cast<int>(random() % 40);
    const auto gap = [&] { return random() % 7 == 0 ? std::string("\n") : std::string(1 + random() % 3, ' '); };

    std::string pedigree = "    " + std::to_string(n) + "    2\n";
    std::string markers = std::to_string(n) + " " + std::to_string(m) + " and a comment\n";
    std::string expected = "id";
    for (int j = 0; j < m; ++j) {
      const std::string name = "D" + std::to_string(trial) + "M" + std::to_string(j);
      markers += name + gap();
      expected += "," + name;
    }
    expected += "\n";
    for (int k = 0; k < n; ++k) {
      const std::string id = std::to_string(static_cast<int>(random() % 200000) - 1000);
      pedigree += "    1 " + std::to_string(k + 1) + " 0 0 1 2 " + id + "\n";
      expected += id;
      for (int j = 0; j < m; ++j) {
        const int first = static_cast<int>(random() % 120);
        const int second = static_cast<int>(random() % 120);
        markers += std::to_string(first) + gap() + std::to_string(second) + gap();
        expected += "," + std::to_string(first) + "/" + std::to_string(second);
      }
      expected += "\n";
    }
    pedigree += "    9    9    9    9    9    9 not-read\n";

    TempFile pedigree_file(pedigree);
    TempFile marker_file(markers);
    freeform::ItemStream pedigree_items(pedigree_file.file);
    freeform::ItemStream marker_items(marker_file.file);
    files::OutputFile out;
    ASSERT_TRUE(out.open(out_path.c_str()));
    const auto problem = xpgeno::write_solar_markers({pedigree_items, "pe2.wrk"}, {marker_items, "mark.wrk"}, out);
    ASSERT_FALSE(problem) << "trial " << trial << ": " << problem->text;
    ASSERT_TRUE(out.close());
    ASSERT_EQ(read_all(out_path), expected) << "trial " << trial;
  }
  std::remove(out_path.c_str());
}

// A full disk must not pass for a written file.
TEST(OutputFile, ReportsAWriteThatFails) {
  files::OutputFile out;
  ASSERT_TRUE(out.open("/dev/full"));
  for (int i = 0; i < 100000; ++i) out.integer(i);
  EXPECT_FALSE(out.close());
}

}  // namespace
