// The QTL genotype file, in genodrop's genotype layout: a header with the numbers of
// individuals N and loci M ("(2i5)"), a names line ("(1000a12)"), then one genotype line per
// individual ("(1000(6x,2i3))": six skipped columns, first and second allele per locus).
// It is read one line at a time, because the table holds only the individual being read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/outcome/outcome.hpp"
#include "common/records/records.hpp"
#include "traitsim/tables.hpp"

namespace traitsim {

// The QTL genotype file while it is being read.
struct QtlFile {
  records::File* file = nullptr;
  std::string name;
  std::int32_t line = 0;  // the last line read, for messages
};

// Opens the QTL genotype file `name` (a missing file is created empty, and the first read
// ends the run in the record layer).
QtlFile open_qtl_file(std::string_view name);

// Reads the header line into genotypes.n and locides.nqtl. Returns nothing, or a stop with
// the message "nloci.ne.nloci --- traitsim" when the file has more loci than the model, or a
// message naming the file when N or M is negative or N exceeds `most` (traitsim's table
// unless the caller gives another limit); then sizes the phenotypes for N. The readers
// leave the file open after a refusal: the run ends there.
outcome::Outcome read_qtl_header(QtlFile& qtl, Locides& locides, Genotypes& genotypes,
                                 std::int32_t most = max_individuals);

// Reads the names line into locides.qtl_names and finds the model loci that name each locus
// (match_loci). Needs the header read first.
void read_qtl_names(QtlFile& qtl, Locides& locides);

// Reads the next genotype line into genotypes.alleles. Returns nothing, or a stop with a
// message naming the file, line and locus when an allele at a locus that the model names lies outside
// 1..max_alleles; alleles of loci the model does not name are not used and not checked.
outcome::Outcome read_genotype_line(QtlFile& qtl, const Locides& locides, Genotypes& genotypes);

// Whether `allele` at QTL locus b may stand there: anything at a locus the model does not
// name, else 1..max_alleles.
bool allele_fits(const Locides& locides, std::int32_t b, std::int32_t allele);

// The refusal of `allele` at QTL locus b on line `line` of the QTL genotype file `name`.
std::string allele_outside(const Locides& locides, std::int32_t b, std::int32_t allele, std::string_view name,
                           std::int32_t line);

// Closes the file.
void close_qtl_file(QtlFile& qtl);

}  // namespace traitsim
