// The gene drop by its plan: founders first, in file order, both haplotypes at every locus,
// then the meioses in the order of the offspring passes, each from one deviate per locus of
// the generator's current stream. Where `gent` is given, the deviates are kept there for the
// trace file; else they pass through one reused row.
#pragma once

#include <string_view>

#include "common/outcome/outcome.hpp"
#include "genodrop/drop_plan.hpp"
#include "genodrop/tables.hpp"

namespace genodrop {

// The founders' haplotypes of `plan`: for each founder, haplotype 1 then 2, one rndnum()
// deviate per locus in locus order.
void drop_founders(const Locides& locides, const MapDraws& map, const Pedigree& pedigree, const DropPlan& plan,
                   Genotypes& genotypes, Gent* gent);

// The meioses of `plan`, each from its parent's complete haplotypes. Expects a map whose order
// holds wherever there is a meiosis (check_marker_order).
void drop_meioses(const MapDraws& map, const DropPlan& plan, Genotypes& genotypes, Gent* gent);

// The whole drop: the plan of `pedigree` (which clears its pending flags), the map's order
// checked, then founders and meioses. Fails with the plan's own-ancestor message, or with
// "illegal marker order" (and `marker_order` set) when a meiosis meets a locus below the one
// before it; then nothing is drawn.
outcome::Outcome drop_genes(const Locides& locides, Pedigree& pedigree, std::string_view pedigree_name,
                            Genotypes& genotypes, Gent* gent, bool& marker_order);

// The offspring after model_founders: the meioses of the plan, as drop_genes makes them.
// "illegal marker order" is explained on standard error, as genodrop explains it.
outcome::Outcome complete_offspring(const Locides& locides, Pedigree& pedigree, Genotypes& genotypes, Gent& gent,
                                    std::string_view pedigree_name);

}  // namespace genodrop
