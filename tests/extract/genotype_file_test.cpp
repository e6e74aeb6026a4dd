#include "extract/genotype_file.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using extract::marker_loci;
using extract::parse_genotype_file;
using extract::render_subset;
using extract::trait_loci;

// One genotype line: six blanks and two 3-column alleles per pair, as genodrop writes it.
std::string row(const std::vector<std::pair<int, int>>& pairs) {
  std::string line;
  char cell[16];
  for (auto [a, b] : pairs) {
    std::snprintf(cell, sizeof cell, "      %3d%3d", a, b);
    line += cell;
  }
  return line + "\n";
}

// The message that refuses the genotype file `text`, or "" when it is read.
std::string error_of(const std::string& text) {
  extract::GenotypeFile file;
  const outcome::Outcome refused = parse_genotype_file("g.wrk", text, file);
  return refused ? refused->text : "";
}

TEST(ExtractSplit, InterleavedLociKeepColumnsAndOrder) {
  // Three-digit alleles touch their neighbours: only a cut by column keeps them apart.
  // "QTL" in capitals is not a trait locus; "qtl" anywhere in the 12 columns is.
  const std::string text = "    2    5\n"
                           "D1M1        qtl1        QTL9        D1qtlx      M5          \n" +
                           row({{1, 2}, {100, 5}, {3, 127}, {12, 100}, {7, 7}}) +
                           row({{2, 2}, {1, 1}, {999, 999}, {4, 4}, {1, 10}});
  extract::GenotypeFile parsed;
  ASSERT_FALSE(parse_genotype_file("g.wrk", text, parsed));
  EXPECT_EQ(trait_loci(parsed), (std::vector<std::int32_t>{1, 3}));
  EXPECT_EQ(marker_loci(parsed), (std::vector<std::int32_t>{0, 2, 4}));

  EXPECT_EQ(render_subset(parsed, trait_loci(parsed)),
            "    2    2\n"
            "qtl1        D1qtlx      \n"
            "      100  5       12100\n"
            "        1  1        4  4\n");
  EXPECT_EQ(render_subset(parsed, marker_loci(parsed)),
            "    2    3\n"
            "D1M1        QTL9        M5          \n"
            "        1  2        3127        7  7\n"
            "        2  2      999999        1 10\n");
}

TEST(ExtractSplit, ZeroLociOnOneSideStillHasNamesAndGenotypeLines) {
  const std::string text = "    3    2\nqtl1        qtl2        \n" + row({{1, 2}, {2, 1}}) +
                           row({{1, 1}, {2, 2}}) + row({{2, 2}, {1, 1}});
  extract::GenotypeFile parsed;
  ASSERT_FALSE(parse_genotype_file("g.wrk", text, parsed));
  EXPECT_EQ(render_subset(parsed, marker_loci(parsed)), "    3    0\n\n\n\n\n");
  EXPECT_EQ(render_subset(parsed, trait_loci(parsed)), text);

  extract::GenotypeFile empty;
  ASSERT_FALSE(parse_genotype_file("g.wrk", "    0    0\n\n", empty));
  EXPECT_EQ(render_subset(empty, trait_loci(empty)), "    0    0\n\n");
}

TEST(ExtractSplit, ReadsWhatTheRecordLayerReads) {
  // A line cut short (an editor dropped trailing blanks), DOS line ends, blanks inside the
  // count fields, marks in the six skipped columns and blank lines after the last individual.
  const std::string text = " 2     2  \r\nD1M1        qtl1\r\n"
                           "xxxxxx  1  2abcdef  3  4\r\n"
                           "        5  6\r\n\n  \n";
  extract::GenotypeFile parsed;
  ASSERT_FALSE(parse_genotype_file("g.wrk", text, parsed));
  EXPECT_EQ(parsed.individuals, 2);
  EXPECT_EQ(parsed.loci, 2);
  EXPECT_EQ(render_subset(parsed, trait_loci(parsed)),
            "    2    1\nqtl1        \nabcdef  3  4\n\n");
}

TEST(ExtractSplit, ShortLinesArePaddedAndTrailingBlanksDropped) {
  const std::string text = "    2    2\nqtl1        M2\n        1  2        3  4\n        5  6\n";
  extract::GenotypeFile parsed;
  ASSERT_FALSE(parse_genotype_file("g.wrk", text, parsed));
  EXPECT_EQ(render_subset(parsed, marker_loci(parsed)),
            "    2    1\nM2          \n        3  4\n\n");
  EXPECT_EQ(render_subset(parsed, trait_loci(parsed)),
            "    2    1\nqtl1        \n        1  2\n        5  6\n");
}

TEST(ExtractSplit, RefusesWhatIsNotAGenotypeFileNamingFileAndLine) {
  const std::string names2 = "A           B           \n";
  const std::string ok_row = row({{1, 2}, {3, 4}});
  const struct {
    std::string text, error;
  } cases[] = {
      {"", "g.wrk is empty; a genotype file starts with the numbers of individuals and loci"},
      {"    1    x\n", "g.wrk, line 1: columns 1-10 do not hold the numbers of individuals and loci"},
      {"   -1    2\n", "g.wrk, line 1: negative number of individuals or loci"},
      {"    1   -2\n", "g.wrk, line 1: negative number of individuals or loci"},
      {"    1    2\n", "g.wrk ends after line 1; the line of locus names is missing"},
      {"    2    2\n" + names2 + ok_row,
       "g.wrk ends after line 3; line 1 announces 2 individuals, the file holds 1"},
      {"    1    1\n" + names2 + ok_row, "g.wrk, line 2: more names than the 1 loci of line 1"},
      {"    1    2\n" + names2 + ok_row + "      1\n",
       "g.wrk, line 4: more genotype lines than the 1 individuals of line 1"},
      {"    1    2\n" + names2 + "        1  2        3  4  5\n",
       "g.wrk, line 3: more than the 2 loci of line 1"},
      {"    1    2\n" + names2 + "        1  2        3 4.\n",
       "g.wrk, line 3: columns 22-24 (locus 2) do not hold an allele number"},
      {"    1    2\n" + names2 + "        1  2       3-4  \n",
       "g.wrk, line 3: columns 19-21 (locus 2) do not hold an allele number"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(error_of(c.text), c.error);
  }
}

TEST(ExtractSplit, LocusLimitIsTheThousandOfTheLayout) {
  for (int loci : {1000, 1001, 99999}) {
    SCOPED_TRACE(loci);
    char header[16];
    std::snprintf(header, sizeof header, "%5d%5d\n", 1, loci);
    std::string names, genotypes;
    for (int b = 0; b < loci; ++b) {
      names += b % 3 == 0 ? "qtl         " : "marker      ";
      genotypes += "      999  1";
    }
    const std::string text = header + names + "\n" + genotypes + "\n";
    extract::GenotypeFile parsed;
    const outcome::Outcome refused = parse_genotype_file("g.wrk", text, parsed);
    if (loci <= extract::max_loci) {
      ASSERT_FALSE(refused);
      EXPECT_EQ(trait_loci(parsed).size(), 334u);
      EXPECT_EQ(marker_loci(parsed).size(), 666u);
    } else {
      ASSERT_TRUE(refused);
      EXPECT_EQ(refused->text, "g.wrk, line 1: " + std::to_string(loci) +
                                  " loci; a genotype file holds at most 1000");
    }
  }
}

}  // namespace
