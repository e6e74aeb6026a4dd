// One simulation as simcheck holds it: what the genotype file, its trace file and the
// phenotype file say, beside the pedigree, the chromosome file and the model they came from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"

namespace simcheck {

// The genotype file: N individuals by L loci, paternal allele first.
struct Genotypes {
  int individuals = 0, loci = 0;
  std::vector<std::string> names;     // the 12-character locus names as written
  std::vector<std::int32_t> alleles;  // [(i * loci + j) * 2 + side]
  std::int32_t allele(int i, int j, int side) const {
    return alleles[(static_cast<std::size_t>(i) * loci + j) * 2 + side];
  }
};

// The longest line each result file can hold, line end not counted: a genotype file's at
// 100 loci of 12 columns; a trace file's at 27 columns and 100 loci of 6; a phenotype file's
// at the widest value traitsim writes (the largest single-precision number, a sign and three
// decimals). A longer line ends the reading there, so that no input is read without end.
constexpr std::size_t genotype_line = 1200, trace_line = 627, phenotype_line = 44;

// The trace file's deviates, as written with three decimals, and what tells whose trace it
// is: every row's identifier and alleles.
struct Trace {
  bool present = false;
  std::vector<double> deviates;  // [(i * loci + j) * 2 + side]
  std::vector<std::int32_t> alleles;  // as Genotypes::alleles
  std::vector<std::string> ids;       // columns 16-27 of each row's first line
  int loci = 0;
  double deviate(int i, int j, int side) const {
    return deviates[(static_cast<std::size_t>(i) * loci + j) * 2 + side];
  }
};

struct Phenotypes {
  bool present = false;
  std::vector<double> values;
};

// Reads the genotype file `path`. Returns the refusal, if any, naming the file and line.
outcome::Outcome read_genotypes(const std::string& path, Genotypes& genotypes);

// Reads the trace file `path` of the genotype file `genotype_file`, of `individuals` rows and
// `loci` loci. A trace of other counts is refused, naming both files.
outcome::Outcome read_trace(const std::string& path, const std::string& genotype_file, int individuals, int loci,
                            Trace& trace);

// Reads the phenotype file `path`.
outcome::Outcome read_phenotypes(const std::string& path, Phenotypes& phenotypes);

}  // namespace simcheck
