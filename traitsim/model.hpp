// The trait model: genotypic values summed over the matched loci plus sigma times a normal
// deviate. All arithmetic is in single precision, each result rounded to float before it is
// used further, so that a run under the same clock second repeats every phenotype bit for bit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "traitsim/tables.hpp"

namespace traitsim {

// Fills locides.nmatches and locides.matches from the names of the model loci and of the
// nqtl loci of the QTL genotype file. Names are compared on all 12 characters, trailing
// blanks and letter case included, because every file pads them the same way.
void match_loci(Locides& locides);

// Adds to genotypes.phenotypes[k] the genotypic value of the individual whose alleles are in
// genotypes.alleles: for each QTL locus b in file order, and for each model locus p that
// names it in model order, the value of (first allele, second allele) at p. Expects
// 0 <= k < max_individuals and the alleles of matched loci in 1..max_alleles (the reader
// guarantees both).
void add_genotypic_value(const Locides& locides, Genotypes& genotypes, std::int32_t k);

// An approximately standard normal deviate: twelve uniform deviates of rndnum() summed in
// single precision, minus 6. Never below -6 or above 6.
float pnormrnd();

// Adds locides.sigma times pnormrnd() to the phenotypes of individuals 0..genotypes.n-1, in
// order. Twelve uniforms are drawn per individual even when sigma is 0.
void add_environment(const Locides& locides, Genotypes& genotypes);

// The first individual (0-based) whose phenotype is infinite or not a number, or -1. Such
// values arise only from a model whose values or sigma overflow single precision.
std::int32_t first_non_finite(const Genotypes& genotypes);

// The stop message for individual `q` (0-based, as first_non_finite gives it), whose phenotype
// is not a finite number under the model file named `model_name`.
std::string non_finite_phenotype(std::int32_t q, std::string_view model_name);

}  // namespace traitsim
