// Recomputes the phenotype files of the command-line cases in tests/cases/traitsim from the
// description of the trait model, without traitsim's code: the generator seeded with the clock
// second each case pins, twelve uniforms per individual summed in single precision minus six,
// times sigma, added to the genotypic sum worked out by hand from the case's input files.
// The cases then compare traitsim's output with these files byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/random/random.hpp"

namespace {

constexpr std::int32_t case_clock = 1000000000;  // TZ=UTC faketime -f '@2001-09-09 01:46:40' in every case's cmd

struct Case {
  const char* folder;
  const char* output;
  float sigma;
  std::vector<float> sums;  // genotypic sums, each added in file order in single precision
};

// The models and genotypes of the cases, summed by hand (see each case's in/ folder).
// two-loci: the file lists qtl2 before qtl1; qtl1 is additive (0, 1, 1, 2); qtl2 has
// G(1,1) = 1.5, G(2,3) = 0.001 (both with implied decimals), G(3,2) = 10, G(1,3) = -3.125,
// G(3,3) = -0.0625.
const std::vector<float> two_loci = {1.5f + 1.0f, 10.0f + 2.0f, 0.001f + 1.0f, -3.125f + 0.0f,
                                     -0.0625f + 2.0f};

const Case cases[] = {
    {"two-loci-sigma0", "phtypes.wrk", 0.0f, two_loci},
    {"two-loci-sigma1", "phtypes.wrk", 1.0f, two_loci},
    {"output-argument", "out.wrk", 0.0f, two_loci},
    // " qtl1" and "QTL2" name neither qtl1 nor qtl2; sigma "     2500" reads 2.5.
    {"model-names-no-locus", "phtypes.wrk", 2.5f, {0, 0, 0, 0}},
    // qtl1 twice: (0, 1, 1, 2) and 0.5 throughout; genotypes (1,2), (2,2), (1,1).
    {"duplicate-model-names", "phtypes.wrk", 0.5f, {1.0f + 0.5f, 2.0f + 0.5f, 0.0f + 0.5f}},
    // Only qtl3 (0, -1, -2, -3) is in the file, with (1,2), (2,2), (2,1); D1M1 is no model locus.
    {"fewer-loci-than-model", "phtypes.wrk", 1.0f, {-1.0f, -3.0f, -2.0f}},
    {"zero-loci", "phtypes.wrk", 1.0f, {0, 0, 0}},
    {"zero-individuals", "phtypes.wrk", 1.0f, {}},
    // qtl1 stands twice in the file: G(1,1) = 999999.999, G(1,2) = 1.5e5, G(2,x) = -99999.999.
    {"wide-values", "phtypes.wrk", 0.0f,
     {999999.999f + 999999.999f, -99999.999f + -99999.999f, 150000.0f + 150000.0f,
      999999.999f + -99999.999f}},
};

// One value as a nine-column field with three decimals, or as wide as it needs; a value that
// rounds to zero carries no minus sign.
std::string field(float value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", static_cast<double>(value));
  std::string digits = text;
  if (digits == "-0.000") digits = "0.000";
  if (digits.size() < 9) digits.insert(0, 9 - digits.size(), ' ');
  return digits + "\n";
}

std::string expected_file(const Case& c) {
  ranlux::rluxgo(4, case_clock, 0, 0);
  char header[16];
  std::snprintf(header, sizeof header, "%5d\n", static_cast<int>(c.sums.size()));
  std::string text = header;
  for (float sum : c.sums) {
    float s = 0.0f;
    for (int i = 0; i < 12; ++i) s = s + ranlux::rndnum();
    const float z = s - 6.0f;
    const float t = z * c.sigma;
    text += field(sum + t);
  }
  return text;
}

TEST(CaseReference, GoldenPhenotypeFilesMatchTheModel) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    std::ifstream in(std::string(CASES_DIR) + "/" + c.folder + "/expected/" + c.output,
                     std::ios::binary);
    ASSERT_TRUE(in.good());
    std::stringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(golden.str(), expected_file(c));
  }
}

}  // namespace
