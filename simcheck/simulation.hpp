// One simulation as simcheck holds it: for each chromosome what its genotype file and its trace
// file say, and the phenotype file, beside the pedigree, the chromosome files and the model
// they came from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/formats/study_files.hpp"
#include "common/outcome/outcome.hpp"

namespace simcheck {

// The genotype file: N individuals by L loci, paternal allele first.
struct Genotypes {
  std::int32_t individuals = 0, loci = 0;
  std::vector<std::string> names;     // the 12-character locus names as written
  std::vector<std::int32_t> alleles;  // [(i * loci + j) * 2 + side]
  std::int32_t allele(std::int32_t i, std::int32_t j, int side) const {
    return alleles[(static_cast<std::size_t>(i) * static_cast<std::size_t>(loci) + static_cast<std::size_t>(j)) * 2 +
                   static_cast<std::size_t>(side)];
  }
};

// The longest line each result file can hold at 100 loci, line end not counted: a genotype
// file's of 12 columns a locus; a trace file's at 27 columns and 6 a locus; a phenotype file's
// at the widest value traitsim writes (the largest single-precision number, a sign and three
// decimals). A chromosome of more loci makes its files' lines longer by as much. A longer line
// ends the reading there, so that no input is read without end.
constexpr std::size_t genotype_line = 1200, trace_line = 627, phenotype_line = 44;
constexpr std::size_t genotype_columns = 12, trace_columns = 6, trace_start = 27, table_loci = 100;

// The longest line of a genotype file and of a trace file of `loci` loci.
std::size_t longest_genotype_line(std::int32_t loci);
std::size_t longest_trace_line(std::int32_t loci);

// The trace file's deviates, as written with three decimals, and what tells whose trace it
// is: every row's identifier and alleles.
struct Trace {
  bool present = false;
  std::vector<double> deviates;       // [(i * loci + j) * 2 + side]
  std::vector<std::int32_t> alleles;  // as Genotypes::alleles
  std::vector<std::string> ids;       // columns 16-27 of each row's first line
  std::int32_t loci = 0;
  double deviate(std::int32_t i, std::int32_t j, int side) const {
    return deviates[(static_cast<std::size_t>(i) * static_cast<std::size_t>(loci) + static_cast<std::size_t>(j)) * 2 +
                    static_cast<std::size_t>(side)];
  }
};

struct Phenotypes {
  bool present = false;
  std::vector<double> values;
};

// One simulation: a genotype file and a trace file per chromosome, in the study's order, and
// the phenotypes of the trait made from all of them.
struct Simulation {
  std::vector<Genotypes> genotypes;
  std::vector<Trace> traces;
  Phenotypes phenotypes;
};

// The most individuals a result file counts: five columns.
constexpr std::int32_t max_individuals = formats::max_numbered_individuals;

// Reads the genotype file `path` with extract's reader; `individuals` and `loci` are what the
// inputs expect, which bound the reading of a file that is not a plain file. Returns the
// refusal, if any, naming the file and line.
outcome::Outcome read_genotypes(const std::string& path, std::int32_t individuals, std::int32_t loci,
                                Genotypes& genotypes);

// Reads the trace file `path` of the genotype file `genotype_file`, of `individuals` rows and
// `loci` loci. A trace of other counts is refused, naming both files.
outcome::Outcome read_trace(const std::string& path, const std::string& genotype_file, std::int32_t individuals,
                            std::int32_t loci, Trace& trace);

// The start of the refusal of a trace file that does not belong to its genotype file, and the
// advice at its end.
std::string trace_mismatch(const std::string& trace_file, const std::string& genotype_file);
const char* trace_advice();

// Reads the phenotype file `path`.
outcome::Outcome read_phenotypes(const std::string& path, Phenotypes& phenotypes);

}  // namespace simcheck
