// Founder genotypes: two independent haplotypes per founder, drawn from the allele
// frequencies of its population.
#pragma once

#include <cstdint>
#include <span>

#include "genodrop/drop_plan.hpp"
#include "genodrop/tables.hpp"

namespace genodrop {

// The allele that deviate `u` gives at a locus whose cumulative frequencies of alleles 1..m
// are `cumulative` (m = cumulative.size(), at least 1): 1 plus the number of alleles 1..m-1
// whose cumulative frequency lies below u, so a deviate equal to F(a) gives allele a.
// `ascending` says the list never decreases, which lets a bisection give the same answer.
std::int32_t founder_allele(std::span<const float> cumulative, bool ascending, float u);

// The alleles of one founder haplotype of population `population` (0 or 1) at every locus,
// from one deviate per locus: founder_allele, found through the map's buckets.
void founder_haplotype(const Locides& locides, const MapDraws& map, int population,
                       std::span<const float> deviates, std::span<std::int16_t> alleles);

// Gives every founder (a row whose father field is 0) of `pedigree` two haplotypes at the
// `locides` loci, in file order, haplotype 1 at loci 1..L and then haplotype 2, one rndnum()
// deviate per allele; stores alleles in `genotypes`, deviates in `gent`, and clears the
// founders' pending flags. Expects every founder's race to be 1 or 2 (read_pedigree checks).
void model_founders(const Locides& locides, Pedigree& pedigree, Genotypes& genotypes, Gent& gent);

}  // namespace genodrop
