// The four tables of a genodrop run. Each is filled once by its reader or model step and
// lives for the whole run; they are large (the frequency table alone is 800 kB, the allele
// and deviate tables 4 MB each), so a run keeps them in static storage.
//
// Indices are 0-based here: locus j of the chromosome file is entry j-1, pedigree record r is
// row r-1, haplotype 1 (paternal) is side 0 and haplotype 2 (maternal) side 1. Every index
// that comes from a file is checked once, by the reader that takes it in.
#pragma once

#include <array>
#include <cstdint>

#include "common/formats/chromosome_file.hpp"
#include "common/numbered_pedigree/numbered_record.hpp"
#include "common/records/records.hpp"

namespace genodrop {

constexpr int max_loci = formats::max_chromosome_loci;
constexpr int max_alleles = 999;
constexpr int populations = 2;
constexpr int max_individuals = 5000;
constexpr int max_blocks = 100;
constexpr int sides = 2;  // haplotype 1 from the father, haplotype 2 from the mother

using Name = records::Text<12>;

// `locides`: the loci of the chromosome file, in map order.
struct Locides {
  std::int32_t count = 0;  // L, 0..max_loci
  std::array<Name, max_loci> names;
  std::array<float, max_loci> positions{};  // centimorgans
  std::array<std::int32_t, max_loci> alleles{};  // m, 1..max_alleles
  // cumulative[j][q][a-1] = frequency of alleles 1..a in population q+1; entry m-1 is 1.
  // Only entries 0..m-1 are ever read, and the reader fills them. No initializer: it would
  // make every run write 800 kB of zeros over static storage that is zero already.
  std::array<std::array<std::array<float, max_alleles>, populations>, max_loci> cumulative;
  // Whether cumulative[j][q][0..m-1] never decreases, so a founder's allele can be found by
  // bisection; a list with a negative frequency is searched in full.
  std::array<std::array<bool, populations>, max_loci> ascending{};
};

// One record of the numbered pedigree: its six integer fields.
using PedRecord = numbered_pedigree::Record;

// `pedigree`: the numbered pedigree in file order, its family blocks and the pending flags.
struct Pedigree {
  std::int32_t count = 0;   // N, 0..max_individuals
  std::int32_t blocks = 0;  // B, 1..max_blocks
  std::array<PedRecord, max_individuals> records{};
  std::array<Name, max_individuals> names;  // columns 31-42, leading blanks kept
  // Block b (1..B) holds rows block_ends[b-1] to block_ends[b]-1; block_ends[0] is 0.
  std::array<std::int32_t, max_blocks + 1> block_ends{};
  // pending[i][s]: 1 while haplotype s of row i is still to be made, 0 once it is made.
  std::array<std::array<std::int32_t, sides>, max_individuals> pending{};
};

// `genotypes`: the allele at every locus of both haplotypes of every row. Alleles run up to
// max_alleles, so they are held whole, never in a byte.
struct Genotypes {
  std::array<std::array<std::array<std::int16_t, max_loci>, sides>, max_individuals> alleles{};
};

// `gent`: the uniform deviate that decided each entry of `genotypes`, for the trace file.
struct Gent {
  std::array<std::array<std::array<float, max_loci>, sides>, max_individuals> deviates{};
};

}  // namespace genodrop
