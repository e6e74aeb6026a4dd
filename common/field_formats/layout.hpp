// What the field's formats need to know of a simulated data set, in terms of its own: the
// markers of one chromosome, the individuals of the pedigree, and a view of the alleles. The
// writers (vcf.hpp, plink.hpp, merlin.hpp) take these and nothing of the simulation's tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "common/outcome/outcome.hpp"

namespace field_formats {

// The highest position a VCF or .bim record takes: both hold it in 32 bits.
constexpr std::int64_t max_position = 2147483647;

struct Marker {
  std::string name;
  std::string cm;          // the map position in centimorgans as text, as the map gives it
  std::int32_t alleles = 0;  // alleles 1..alleles
  std::int64_t position = 0;  // in base pairs, from 1 (positions())
  std::size_t chromosome = 0;  // its chromosome: an index into Layout::chromosomes
};

struct Individual {
  std::string family;  // the pedigree's name
  std::string id;      // unique in the whole data set
  std::string father, mother;  // their ids; "0" for a founder
  std::int32_t sex = 0;        // 1 male, 2 female, anything else unknown
  std::string sample;          // the VCF's name, unique in the data set; empty: the id
  const std::string& sample_name() const { return sample.empty() ? id : sample; }
};

// The markers of one or more chromosomes and the pedigree whose individuals carry them.
struct Layout {
  // The chromosomes' names, as VCF contigs and PLINK's and Merlin's chromosome columns show
  // them; the markers stand chromosome by chromosome, in this order.
  std::vector<std::string> chromosomes{"1"};
  const std::string& chromosome_of(const Marker& marker) const { return chromosomes[marker.chromosome]; }
  std::int64_t bp_per_cm = 1000000;
  std::vector<Marker> markers;  // in map order
  std::vector<Individual> individuals;
};

// Lines of a VCF header that say where the data came from, as key and value ("##key=value").
using Meta = std::vector<std::pair<std::string, std::string>>;

// The alleles of one replicate: allele(k, side, m) is the allele (1.., 0 or less for none) of
// individual k (in the layout's order) at marker m on haplotype side (0 paternal, 1 maternal).
// The simulation keeps them as whole numbers in a table of fixed strides; `loci` gives the
// column of each marker in it.
struct Alleles {
  const std::int16_t* first = nullptr;
  std::size_t individual_stride = 0;
  std::size_t side_stride = 0;
  std::span<const std::int32_t> loci;
  // With several chromosomes each has its table (of the same strides): the table of each
  // marker. Empty: all markers are in `first`'s.
  std::span<const std::int16_t* const> tables{};
  // Marker m's column: allele(k, side, m) is column(m)[k * individual_stride + side * side_stride].
  const std::int16_t* column(std::size_t m) const {
    return (tables.empty() ? first : tables[m]) + static_cast<std::size_t>(loci[m]);
  }
  std::int32_t allele(std::size_t k, int side, std::size_t m) const {
    return column(m)[k * individual_stride + static_cast<std::size_t>(side) * side_stride];
  }
};

// The centimorgans of a map position held in single precision, as the shortest text that reads
// back as the same value: what the map file said (47.8, not 47.799999).
std::string cm_text(float cm);

// Gives every marker of `layout` its position in base pairs, 1 + cM x bp_per_cm rounded, from
// its cm text. A marker that would not lie after the one before it on its chromosome (the same cM, or one that
// rounds to the same base pair) is put 1 bp after it: VCF and its index want positions that
// increase. Refuses a position below 1 or above max_position, naming the marker.
outcome::Outcome positions(Layout& layout);

// The markers of exactly two alleles, the ones a PLINK 1 .bed holds, as indices into
// layout.markers.
std::vector<std::size_t> biallelic(const Layout& layout);

// The trait values of one data set, one per individual in the layout's order; empty when it
// has none.
using Traits = std::span<const double>;

// The trait as the SOLAR phenotype file writes it: six decimals.
std::string trait_text(double value);

// The pedigree columns that PLINK's .fam and Merlin's .ped both begin with, each followed by
// `separator`, and then the trait of individual k (`missing` when there is none): family,
// individual, father, mother, sex (1, 2, or 0 for unknown), trait.
void put_pedigree_columns(const Layout& layout, Traits traits, std::size_t k, char separator,
                          const char* missing, std::string& out);

}  // namespace field_formats
