// One simulation as simcheck holds it: what the genotype file, its trace file and the
// phenotype file say, beside the pedigree, the chromosome file and the model they came from.
#pragma once

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

// The trace file's deviates, as written with three decimals.
struct Trace {
  bool present = false;
  std::vector<double> deviates;  // [(i * loci + j) * 2 + side]
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

// Reads the trace file `path` of a genotype file of `individuals` rows and `loci` loci.
outcome::Outcome read_trace(const std::string& path, int individuals, int loci, Trace& trace);

// Reads the phenotype file `path`.
outcome::Outcome read_phenotypes(const std::string& path, Phenotypes& phenotypes);

}  // namespace simcheck
