// The completion loop: offspring passes until every haplotype is made, so that children
// listed before their parents wait for them.
#pragma once

#include <string_view>

#include "common/outcome/outcome.hpp"
#include "genodrop/tables.hpp"

namespace genodrop {

// Runs model_offspring() over the tables, at least once, until no pending flag of
// `pedigree` is left. Fails with "illegal marker order" from a meiosis, or, when a pass makes
// nothing while flags are left (some individual is its own ancestor, so it can never be
// made), with a message naming `pedigree_name` and the line of such an individual.
outcome::Outcome complete_offspring(const Locides& locides, Pedigree& pedigree, Genotypes& genotypes,
                           Gent& gent, std::string_view pedigree_name);

}  // namespace genodrop
