// Small fixed inputs for the genodrop targets: each target fuzzes one file and takes the other
// from here, then runs the simulation on what was read, so that every value the reader lets
// through is also used.
#pragma once

#include <string>
#include <string_view>

#include "genodrop/founders.hpp"
#include "genodrop/gene_drop.hpp"
#include "tests/fuzz/refusal.hpp"

namespace fuzz {

inline constexpr std::string_view chromosome_file =
    "1\n2\n3\n4\n5\n6\n7\n8\n(i5)\n(a12,i4,f8.2,20f6.3)\n(24x,20f6.3)\nname\n    3\n"
    "D1S1           2    0.00 0.300\n"
    "                         0.800\n"
    "qtl1           3   10.00 0.200 0.300\n"
    "                         0.500 0.500\n"
    "D1S2           2   25.00 0.500\n"
    "                         0.100\n";

// Two founders of each population, their children and a grandchild listed before its parents,
// in two families.
inline constexpr std::string_view pedigree_file =
    "    8    2\n"
    "    1    1    0    0    1    1          a1\n"
    "    1    2    0    0    2    2          a2\n"
    "    1    3    5    4    0    1          a3\n"
    "    1    4    1    2    0    2          a4\n"
    "    1    5    1    2    0    1          a5\n"
    "    2    1    0    0    2    1          b1\n"
    "    2    2    0    0    1    2          b2\n"
    "    2    3    1    2    0    2          b3\n";

// Makes the founders and runs the offspring passes on what was read; a refused simulation must
// say why, and every allele made must lie in 1..m of its locus.
inline void simulate_and_check(const genodrop::Locides& locides, genodrop::Pedigree& pedigree,
                               genodrop::Genotypes& genotypes, genodrop::Gent& gent,
                               const std::string& pedigree_name) {
  genotypes.alleles = {pedigree.count, locides.count};
  gent.deviates = {pedigree.count, locides.count};
  genodrop::model_founders(locides, pedigree, genotypes, gent);
  if (const auto stop = genodrop::complete_offspring(locides, pedigree, genotypes, gent, pedigree_name)) {
    expect(!stop->text.empty(), "a refused simulation without a message");
    return;
  }
  for (int i = 0; i < pedigree.count; ++i)
    for (int s = 0; s < genodrop::sides; ++s)
      for (int j = 0; j < locides.count; ++j) {
        const int allele = genotypes.alleles(i, s)[j];
        expect(allele >= 1 && allele <= locides.alleles[j], "an allele outside 1..m");
      }
}

}  // namespace fuzz
