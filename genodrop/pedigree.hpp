// The numbered pedigree file: a header line with the number of individuals N, then one
// record per individual (family, individual, father, mother, race, sex, identifier).
#pragma once

#include <string_view>

#include "common/outcome/outcome.hpp"
#include "genodrop/tables.hpp"

namespace genodrop {

// Reads the numbered pedigree `name` completely into `pedigree`, closes it, finds the family
// blocks (a new block wherever the family number changes from one record to the next) and
// sets both pending flags of every row. Fails with "too many individuals" (N above 5000,
// before any record is read), "too many pedigrees" (more than 100 blocks), "illegal
// population" (a founder, father 0, whose race is not 1 or 2), or a message naming the file
// and line when N is negative or a non-founder's father or mother number names no row of its
// own block. Reading faults end the run in the record layer. The limits of individuals and
// blocks are `limits`': genodrop's tables unless the caller gives others.
outcome::Outcome read_pedigree(std::string_view name, Pedigree& pedigree, const Limits& limits = {});

}  // namespace genodrop
