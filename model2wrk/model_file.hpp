// The model file traitsim reads: eight free lines, the count of loci in columns 1-5, a line
// per locus (name 1-12, alleles 13-17, values from 18 in 9 columns with three decimals) and
// sigma in columns 18-26.
#pragma once

#include <string>

#include "model2wrk/model_table.hpp"

namespace model2wrk {

// The text of the model file of `table`, made from `table_name`.
std::string model_text(const ModelTable& table, const std::string& table_name);

}  // namespace model2wrk
