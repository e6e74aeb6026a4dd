// The model table as a geneticist writes one, tab-separated:
//
//   qtl1   2   0   1   1   2       a trait locus: name, alleles n, n x n genotypic values
//   sigma  1                       the environmental standard deviation, once
//
// Blank lines and lines starting with '#' are skipped, as are a UTF-8 byte-order mark and
// carriage returns. Every value is kept as the model file will hold it, so what the table
// says is what traitsim reads: nothing is rounded or scaled on the way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "traitsim/tables.hpp"

namespace model2wrk {

// The model file's columns: a name of 12, a count of 5, values of 9 with three decimals.
constexpr std::size_t name_columns = 12;
constexpr int value_decimals = 3;
constexpr double smallest_value = -9999.999;  // "-9999.999" fills 9 columns
constexpr double largest_value = 99999.999;   // so does "99999.999"

struct TraitLocus {
  std::string name;
  std::int32_t alleles = 0;
  std::vector<double> values;  // G(j,k), row by row: alleles x alleles of them
  int line = 0;                // in the table, from 1
};

struct ModelTable {
  std::vector<TraitLocus> loci;
  double sigma = 0;
};

// What a table line may hold, checked line by line; the refusal lists every problem (at most
// max_listed of them, and a count of the rest), each as "TABLE, line N: ...".
constexpr std::size_t max_listed = 20;

// Reads `text`, the table `name`, into `table`. `warnings` gets a line for each locus whose
// name holds no "qtl" (it will match no trait locus), without the program's name. Returns the
// refusal, naming every line at fault.
outcome::Outcome read_model_table(std::string_view text, const std::string& name, ModelTable& table,
                                  std::vector<std::string>& warnings);

}  // namespace model2wrk
