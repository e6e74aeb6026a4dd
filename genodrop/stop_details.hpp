// What two of genodrop's stops leave out. Their standard-output lines are kept as they always
// were; the details (which population, what sum, which loci, whose id) go beside them.
#pragma once

#include <span>
#include <string>

#include "genodrop/tables.hpp"

namespace genodrop {

// Writes the second line of "incorrect frequencies" on standard error: the population (1 or
// 2) and the running sum that failed, from `cumulative` as the failed accumulation left it.
void explain_frequencies(const Name& marker, int population, std::span<const float> cumulative);

// The second line of "illegal marker order": the first locus that stands below the locus
// before it, and that locus (without a line end); empty when the order holds.
std::string marker_order_detail(const Locides& locides);

// Writes that line on standard error.
void explain_marker_order(const Locides& locides);

// " (id <raw id>)" for row `row` of the pedigree, from its identifier column; empty when the
// column is blank.
std::string raw_id(const Pedigree& pedigree, std::int32_t row);

}  // namespace genodrop
