// The two tables of a traitsim run: `locides` (the trait model and the loci of the QTL genotype
// file) and `genotypes` (the individual being read and every phenotype). Both are filled once,
// by the readers, which check every count and allele against the limits below; the model
// routines index them without further checks.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/records/records.hpp"

namespace traitsim {

using Name = records::Text<12>;

constexpr std::int32_t max_model_loci = 100;    // loci of the model file
constexpr std::int32_t max_alleles = 10;       // alleles of one model locus
constexpr std::int32_t max_qtl_loci = 100;      // loci of the QTL genotype file
constexpr std::int32_t max_individuals = 5000; // individuals of the QTL genotype file
// (The QTL file's loci can never exceed the model's, which traitsim refuses; so only the
// individuals grow with a study beyond the tables, and their limit is the reader's argument.)

struct Locides {
  // The model, from the model file.
  std::int32_t nloci = 0;
  std::array<Name, max_model_loci> model_names{};
  std::array<std::int32_t, max_model_loci> nalleles{};
  // values[p][j-1][k-1] is the genotypic value of first allele j and second allele k at model
  // locus p; entries beyond the locus's allele count stay 0.
  std::array<std::array<std::array<float, max_alleles>, max_alleles>, max_model_loci> values{};
  float sigma = 0.0f;

  // The loci of the QTL genotype file.
  std::int32_t nqtl = 0;  // M
  std::array<Name, max_qtl_loci> qtl_names{};
  // For QTL locus b, the model loci that name it, in model order: matches[b][0..nmatches[b]).
  // A name that stands twice in the model is matched twice.
  std::array<std::int32_t, max_qtl_loci> nmatches{};
  std::array<std::array<std::uint8_t, max_model_loci>, max_qtl_loci> matches{};
};

struct Genotypes {
  // First and second allele at each locus of the QTL genotype file, for the individual being
  // read. At a locus the model names, both lie in 1..max_alleles.
  std::array<std::array<std::int8_t, 2>, max_qtl_loci> alleles{};
  std::int32_t n = 0;  // N
  std::vector<float> phenotypes;  // N entries once the header is read
};

}  // namespace traitsim
