// What a chromosome file, and the programs that read it, cannot hold: the checks made on a
// marker table before anything is written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/formats/chromosome_file.hpp"
#include "common/outcome/outcome.hpp"
#include "map2chrom/marker_table.hpp"

namespace map2chrom {

// A chromosome file lists at most this many loci: genodrop and xp-loci hold no more.
constexpr std::size_t max_loci = formats::max_chromosome_loci;
// The standard locus layouts hold 20 frequencies per record; allele m's is implied.
constexpr std::size_t max_alleles = 21;
// xp-geno reads marker names as blank-separated words from 12-column fields, so a name of
// 12 characters would run into the next one.
constexpr std::size_t max_name_chars = 11;
// The listed frequencies of a locus may miss 1 by at most this much.
constexpr double sum_tolerance = 0.001;

// True when `name` is one of the SOLAR field names that a marker may not take (compared
// without regard to letter case).
bool reserved_field_name(std::string_view name);

// Checks the markers of `table` (read from `name`) and, when `table2` (read from `name2`) is
// given, takes their population-2 frequencies from it; a marker without them gets its
// population-1 frequencies. Returns the first refusal as a whole message naming the file and
// line, or nothing when the markers can be written.
outcome::Outcome check_markers(std::vector<Marker>& table, const std::string& name,
                               const std::vector<Marker>* table2, const std::string& name2);

// One warning line (without its line end, beginning "map2chrom: ") for each marker of `table`
// (read from `name`) whose name holds "qtl" in another letter case ("QTL1", "Qtl2"): it is
// written as a marker, since only a lower-case "qtl" marks a trait locus.
std::vector<std::string> trait_case_warnings(const std::vector<Marker>& table,
                                             const std::string& name);

}  // namespace map2chrom
