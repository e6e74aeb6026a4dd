// The four tables of a genodrop run. Each is filled once by its reader or model step and
// lives for the whole run. The named limits below are genodrop's own; the tables themselves are
// sized by what the files hold, so that simreps can run the same steps on studies beyond them
// (the readers take the limits to apply, by default these).
//
// Indices are 0-based here: locus j of the chromosome file is entry j-1, pedigree record r is
// row r-1, haplotype 1 (paternal) is side 0 and haplotype 2 (maternal) side 1. Every index
// that comes from a file is checked once, by the reader that takes it in.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "common/formats/chromosome_file.hpp"
#include "common/formats/study_files.hpp"
#include "common/numbered_pedigree/numbered_record.hpp"
#include "common/records/records.hpp"

namespace genodrop {

constexpr int max_loci = formats::max_chromosome_loci;
constexpr int max_alleles = 999;
constexpr int populations = 2;
constexpr int max_individuals = 5000;
constexpr int max_blocks = 100;
constexpr int sides = 2;  // haplotype 1 from the father, haplotype 2 from the mother

// The limits a reader applies: genodrop's tables by default. simreps gives the files' own.
struct Limits {
  std::int32_t loci = max_loci;
  std::int32_t individuals = max_individuals;
  std::int32_t blocks = max_blocks;
};
// The files' own limits, for a study beyond the tables: as many individuals and family blocks
// as the numbered pedigree can number, as many loci as a genotype file's line holds.
constexpr Limits file_limits{formats::max_genotype_loci, formats::max_numbered_individuals,
                             formats::max_numbered_individuals};

using Name = records::Text<12>;

// `locides`: the loci of the chromosome file, in map order.
struct Locides {
  std::int32_t count = 0;  // L
  std::vector<Name> names;
  std::vector<float> positions;  // centimorgans
  std::vector<std::int32_t> alleles;  // m, 1..max_alleles
  // cumulative[j][q][a-1] = frequency of alleles 1..a in population q+1; entry m-1 is 1.
  std::vector<std::array<std::vector<float>, populations>> cumulative;
  // Whether cumulative[j][q][0..m-1] never decreases, so a founder's allele can be found by
  // bisection; a list with a negative frequency is searched in full.
  std::vector<std::array<bool, populations>> ascending;
};

// One record of the numbered pedigree: its six integer fields.
using PedRecord = numbered_pedigree::Record;

// `pedigree`: the numbered pedigree in file order, its family blocks and the pending flags.
struct Pedigree {
  std::int32_t count = 0;   // N
  std::int32_t blocks = 0;  // B
  std::vector<PedRecord> records;
  std::vector<Name> names;  // columns 31-42, leading blanks kept
  // Block b (1..B) holds rows block_ends[b-1] to block_ends[b]-1; block_ends[0] is 0.
  std::vector<std::int32_t> block_ends;
  // pending[i][s]: 1 while haplotype s of row i is still to be made, 0 once it is made.
  std::vector<std::array<std::int32_t, sides>> pending;
};

// A value per locus of both haplotypes of every row: row i's haplotype s is the `loci` values
// from (2i + s) * stride on (the stride at least `loci`: simreps gives the tables of all its
// chromosomes one stride). The memory is the table's own, zeroed, or lent by the caller
// (large pages) already zeroed.
template <class Value>
class HaplotypeTable {
 public:
  HaplotypeTable() = default;
  HaplotypeTable(std::int32_t individuals, std::int32_t loci, Value* lent = nullptr, std::int32_t stride = 0)
      : individuals_(individuals), loci_(loci), stride_(stride > loci ? stride : loci) {
    if (lent == nullptr) owned_.reset(new Value[size()]());
    first_ = lent != nullptr ? lent : owned_.get();
  }
  // The bytes a table of that shape takes.
  static std::size_t bytes(std::int32_t individuals, std::int32_t loci) {
    return sizeof(Value) * sides * static_cast<std::size_t>(individuals) * static_cast<std::size_t>(loci);
  }
  std::span<Value> operator()(std::int32_t row, int side) {
    return {first_ + offset(row, side), static_cast<std::size_t>(loci_)};
  }
  std::span<const Value> operator()(std::int32_t row, int side) const {
    return {first_ + offset(row, side), static_cast<std::size_t>(loci_)};
  }
  const Value* data() const { return first_; }
  std::int32_t individuals() const { return individuals_; }
  std::int32_t loci() const { return loci_; }
  std::int32_t stride() const { return stride_; }

 private:
  std::size_t size() const { return sides * static_cast<std::size_t>(individuals_) * static_cast<std::size_t>(stride_); }
  std::size_t offset(std::int32_t row, int side) const {
    return (static_cast<std::size_t>(row) * sides + static_cast<std::size_t>(side)) * static_cast<std::size_t>(stride_);
  }
  std::int32_t individuals_ = 0, loci_ = 0, stride_ = 0;
  std::unique_ptr<Value[]> owned_;
  Value* first_ = nullptr;
};

// `genotypes`: the allele at every locus of both haplotypes of every row. Alleles run up to
// max_alleles, so they are held whole, never in a byte.
struct Genotypes {
  HaplotypeTable<std::int16_t> alleles;
};

// `gent`: the uniform deviate that decided each entry of `genotypes`, for the trace file.
struct Gent {
  HaplotypeTable<float> deviates;
};

// Sizes `locides` for `count` loci (at least 0), every entry empty: no name, no frequencies.
inline void size_loci(Locides& locides, std::int32_t count) {
  locides.count = count > 0 ? count : 0;
  const auto loci = static_cast<std::size_t>(locides.count);
  locides.names.assign(loci, Name{});
  locides.positions.assign(loci, 0.0f);
  locides.alleles.assign(loci, 0);
  locides.cumulative.assign(loci, {});
  locides.ascending.assign(loci, {});
}

// Sizes `pedigree` for `count` rows, every record zero and every haplotype pending; its
// blocks are still to be found.
inline void size_pedigree(Pedigree& pedigree, std::int32_t count) {
  pedigree.count = count;
  pedigree.records.assign(static_cast<std::size_t>(count), PedRecord{});
  pedigree.names.assign(static_cast<std::size_t>(count), Name{});
  pedigree.pending.assign(static_cast<std::size_t>(count), {1, 1});
}

}  // namespace genodrop
