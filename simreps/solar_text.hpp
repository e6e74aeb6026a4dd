// The two SOLAR files of a replicate, written straight from its tables: byte for byte what
// extract and xp-geno make of genodrop's genotype file, and what xp-trait makes of traitsim's
// phenotype file, without the working files in between.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "simreps/inputs.hpp"
#include "simreps/replicate.hpp"

namespace simreps {

// mark.sol: the id columns and the marker names, then per individual its identifier and
// "first/second" at every marker. The text is handed to `emit` in consecutive pieces of about
// marker_piece bytes (at least one line each), so that it is never held whole: at 50,000
// individuals it is larger than the replicate's tables.
constexpr std::size_t marker_piece = std::size_t{1} << 20;
void render_markers(const Inputs& inputs, const Replicate& replicate,
                    const std::function<void(std::string_view)>& emit);

// The phenotype as it comes out of traitsim's F field with three decimals (correctly rounded,
// a minus only before a non-zero value) and back in through xp-trait's reading of that text:
// the value phen.sol shows, and the one the other formats give.
float through_phenotype_file(float value);

// Appends phen.sol to `out`: the id columns and "QT", then per individual its identifier and its phenotype as
// xp-trait writes it after reading it from traitsim's file (three decimals, then six).
void render_phenotypes(const Inputs& inputs, const Replicate& replicate, std::string& out);

// The mean and the standard deviation (n - 1 in the denominator; not a number below two
// individuals) of the replicate's phenotypes.
struct Summary {
  double mean = 0;
  double sd = 0;
};
Summary summarise(const Replicate& replicate);

}  // namespace simreps
