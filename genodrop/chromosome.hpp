// The chromosome file: eight free lines, three layout lines that fix the file's own columns,
// one free line, the locus count, then two records per locus (name, allele count, map
// position and population-1 frequencies; population-2 frequencies).
#pragma once

#include <string_view>

#include "common/outcome/outcome.hpp"
#include "genodrop/tables.hpp"

namespace genodrop {

// Reads the chromosome file `name` completely into `locides`, turning each frequency list
// into cumulative frequencies in single precision, and closes it. A count of 0 or less means
// no loci. Fails with "too many loci to model.", "too many alleles in locus <name>",
// "incorrect frequencies in marker <name>" (the composed texts 255 characters long), or a
// message naming the file and locus when a locus has fewer than one allele. Reading faults
// (a short file, a bad field or layout) end the run in the record layer. "Too many loci"
// means more than `limits.loci`: genodrop's table unless the caller gives others.
outcome::Outcome read_chromosome(std::string_view name, Locides& locides, const Limits& limits = {});

}  // namespace genodrop
