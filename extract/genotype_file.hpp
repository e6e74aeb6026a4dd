// The genotype file as genodrop writes it, held whole in memory so that extract has read all
// of its input before it writes anything.
//
// Layout: a header line with the number of individuals N in columns 1-5 and the number of loci
// L in columns 6-10; a names line with the L locus names, 12 columns each; then N genotype
// lines, one per individual, with 12 columns per locus (six blanks, then the two alleles
// right-aligned in 3 columns each). A maternal allele of three digits touches the paternal
// one, so genotype lines are cut by column, never by blanks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/formats/study_files.hpp"
#include "common/outcome/outcome.hpp"

namespace extract {

// Columns of one locus, on the names line and on every genotype line.
constexpr std::size_t cell_width = 12;
// The names and genotype layouts hold at most 1000 loci on their one line.
constexpr std::int32_t max_loci = formats::max_genotype_loci;

struct GenotypeFile {
  std::int32_t individuals = 0;  // N
  std::int32_t loci = 0;         // L
  // The names line, padded with blanks to exactly cell_width * loci characters.
  std::string names;
  // The N genotype lines without their line ends, pointing into the text that was parsed;
  // a line may be shorter than cell_width * loci and reads as padded with blanks.
  std::vector<std::string_view> rows;
};

// Reads `text`, the whole content of the genotype file `name`, into `file`, which then points
// into `text`: `text` must outlive it. Lines shorter than the layout read as padded with
// blanks; a carriage return before a line end is dropped. Returns nothing when the file was
// read in full, or a stop naming `name` and the line: counts that cannot be read, are negative or
// exceed max_loci loci; a missing names line or fewer than N genotype lines; a names or
// genotype line with text beyond its L loci; an allele field that is not an integer;
// text after the N-th genotype line.
outcome::Outcome parse_genotype_file(std::string_view name, std::string_view text,
                                     GenotypeFile& file);

// The allele of locus `locus` (0-based) on side `side` (0 paternal, 1 maternal) of a genotype
// line that parse_genotype_file accepted: columns 7-9 and 10-12 of the locus's cell, read by
// the same rules.
std::int32_t allele_at(std::string_view row, std::int32_t locus, int side);

// True when the 12-character locus name `name` marks a trait locus (it contains "qtl").
bool is_trait_locus(std::string_view name);

// The positions (0-based) of the loci of `file` whose names mark trait loci, in file order.
std::vector<std::int32_t> trait_loci(const GenotypeFile& file);
// The positions of all other loci, in file order.
std::vector<std::int32_t> marker_loci(const GenotypeFile& file);

// Renders a genotype file in the same layout holding only the loci at `positions` of `file`,
// each with its 12 columns unchanged, and every individual in file order. Trailing blanks of
// genotype lines are left out, as genodrop leaves them out. The text is handed to `emit` in
// consecutive pieces of about piece_size characters, so that a large file is never held twice.
constexpr std::size_t piece_size = 1 << 20;
void render_subset(const GenotypeFile& file, std::span<const std::int32_t> positions,
                   const std::function<void(std::string_view)>& emit);

// The same, as one text.
std::string render_subset(const GenotypeFile& file, std::span<const std::int32_t> positions);

}  // namespace extract
