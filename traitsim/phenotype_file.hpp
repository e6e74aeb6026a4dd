// The phenotype file: the number of individuals N ("(i5)"), then one value per individual in
// the order of the QTL genotype file ("(f9.3)"). Its reader, xp-trait, takes blank-separated
// values, so a value too wide for nine columns is written in as many columns as it needs.
#pragma once

#include <string_view>

#include "traitsim/tables.hpp"

namespace traitsim {

// Creates or replaces the file `name` with the phenotypes of individuals 0..genotypes.n-1.
// Write failures end the run in the record layer.
void write_phenotypes(std::string_view name, const Genotypes& genotypes);

}  // namespace traitsim
