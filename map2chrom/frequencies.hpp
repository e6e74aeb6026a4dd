// Allele frequencies as the chromosome file holds them: four decimals, the last allele's
// frequency left out (it is what the others lack of 1).
#pragma once

#include <vector>

namespace map2chrom {

// Frequencies are written in units of 1/units_per_one (F7.4 columns).
constexpr int units_per_one = 10000;

// Scales the frequencies `f` (m of them, sum within the tolerance of 1) to sum to exactly 1
// and rounds them to whole units so that the units still add up to units_per_one (largest
// remainders first). Then makes sure that genodrop, which adds the m-1 written values in
// single precision, never finds their total above 1: where rounding would let it, a unit
// moves from the largest of them to the last allele. Returns the m unit counts.
std::vector<int> to_units(const std::vector<double>& f);

}  // namespace map2chrom
