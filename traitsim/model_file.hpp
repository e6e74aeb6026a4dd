// The model file: eight free lines, the number of model loci (line 9, "(i5)"), one line per
// locus with its name, allele count n and n x n genotypic values ("(a12,i5,100f9.3)", values
// with three implied decimals), then sigma in columns 18-26 ("(17x,f9.3)").
#pragma once

#include <string>
#include <string_view>

#include "common/outcome/outcome.hpp"
#include "traitsim/tables.hpp"

namespace traitsim {

// Reads the model file `name` into the model part of `locides` and closes it. Returns nothing
// when the model was read, or a stop with a message naming the file and line when the model exceeds
// the tables: a negative number of loci or more than max_model_loci, or a locus with more than
// max_alleles alleles. A locus with 0 or fewer alleles has no values and contributes nothing.
// A missing, short or unreadable file ends the run in the record layer.
outcome::Outcome read_model(std::string_view name, Locides& locides);

}  // namespace traitsim
