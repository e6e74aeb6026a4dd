#include "traitsim/phenotype_file.hpp"

#include <cstdio>
#include <string>

#include "common/records/records.hpp"

namespace traitsim {
namespace {

constexpr int phenotype_unit = 12;
constexpr int value_columns = 9;

// The layout for `value`: "(f9.3)" when its three-decimal form fits nine columns, else an F
// field just wide enough, so that no phenotype is lost to asterisks.
std::string value_layout(float value) {
  char digits[64];
  int width = std::snprintf(digits, sizeof digits, "%.3f", static_cast<double>(value));
  if (width <= value_columns) return "(f9.3)";
  return "(f" + std::to_string(width) + ".3)";
}

}  // namespace

void write_phenotypes(std::string_view name, const Genotypes& genotypes) {
  records::File& file = records::open(phenotype_unit, name, records::Mode::write);
  {
    records::Writer writer(file, "(i5)");
    writer(genotypes.n);
    writer.end();
  }
  for (std::int32_t q = 0; q < genotypes.n; ++q) {
    const std::string layout = value_layout(genotypes.phenotypes[q]);
    records::Writer writer(file, layout);
    writer(genotypes.phenotypes[q]);
    writer.end();
  }
  records::close(file);
}

}  // namespace traitsim
