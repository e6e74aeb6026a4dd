#include "traitsim/beyond_table.hpp"

#include "common/outcome/beyond_table.hpp"

namespace traitsim {

std::string beyond_table_note(const outcome::Stop& stop, const Genotypes& genotypes) {
  if (!stop.text.starts_with("too many individuals") || genotypes.n <= max_individuals) return {};
  return outcome::beyond_table("traitsim", "the QTL genotype file", genotypes.n, "individuals", max_individuals);
}

}  // namespace traitsim
