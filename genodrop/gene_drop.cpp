#include "genodrop/gene_drop.hpp"

#include <vector>

#include "common/random/random.hpp"
#include "genodrop/founders.hpp"
#include "genodrop/meiosis.hpp"
#include "genodrop/stop_details.hpp"

namespace genodrop {

namespace {

// Where the deviates of haplotype `side` of row `row` are drawn: its row of the trace table,
// or the one scratch row.
class DeviateRows {
 public:
  DeviateRows(Gent* gent, std::int32_t loci) : gent_(gent) {
    if (gent == nullptr) scratch_.resize(static_cast<std::size_t>(loci));
  }
  // Draws the row's deviates (one call for the whole haplotype: the same numbers, in the same
  // order, as one rndnum() per locus) and returns them.
  std::span<const float> draw(std::int32_t row, int side) {
    const std::span<float> deviates = gent_ != nullptr ? gent_->deviates(row, side) : std::span<float>(scratch_);
    ranlux::ranlux(deviates);
    return deviates;
  }

 private:
  Gent* gent_;
  std::vector<float> scratch_;
};

// The plan and the map of a drop, the map's order checked against the plan: a meiosis meets
// it before any pass could stall on an own ancestor.
outcome::Outcome plan_checked(const Locides& locides, Pedigree& pedigree, std::string_view pedigree_name,
                              DropPlan& plan, MapDraws& map, bool& marker_order) {
  map = prepare_map(locides);
  outcome::Outcome stop = plan_drop(pedigree, pedigree_name, plan);
  if (auto order = check_marker_order(plan, map)) {
    marker_order = true;
    return order;
  }
  return stop;
}

}  // namespace

void drop_founders(const Locides& locides, const MapDraws& map, const Pedigree& pedigree, const DropPlan& plan,
                   Genotypes& genotypes, Gent* gent) {
  DeviateRows rows(gent, locides.count);
  for (const std::int32_t i : plan.founders) {
    const int population = pedigree.records[i].race - 1;
    for (int side = 0; side < sides; ++side)
      founder_haplotype(locides, map, population, rows.draw(i, side), genotypes.alleles(i, side));
  }
}

void drop_meioses(const MapDraws& map, const DropPlan& plan, Genotypes& genotypes, Gent* gent) {
  DeviateRows rows(gent, static_cast<std::int32_t>(map.chance.size()));
  for (const Meiosis& m : plan.meioses) {
    // Straight from the parent's rows into the child's: the parent is complete and the child
    // is not, so they are never the same row.
    transmit(rows.draw(m.child, m.side), genotypes.alleles(m.child, m.side), genotypes.alleles(m.parent, 0),
             genotypes.alleles(m.parent, 1), map.chance);
  }
}

outcome::Outcome drop_genes(const Locides& locides, Pedigree& pedigree, std::string_view pedigree_name,
                            Genotypes& genotypes, Gent* gent, bool& marker_order) {
  marker_order = false;
  DropPlan plan;
  MapDraws map;
  if (auto stop = plan_checked(locides, pedigree, pedigree_name, plan, map, marker_order)) return stop;
  drop_founders(locides, map, pedigree, plan, genotypes, gent);
  drop_meioses(map, plan, genotypes, gent);
  return std::nullopt;
}

outcome::Outcome complete_offspring(const Locides& locides, Pedigree& pedigree, Genotypes& genotypes, Gent& gent,
                                    std::string_view pedigree_name) {
  DropPlan plan;
  MapDraws map;
  bool marker_order = false;
  if (auto stop = plan_checked(locides, pedigree, pedigree_name, plan, map, marker_order)) {
    if (marker_order) explain_marker_order(locides);
    return stop;
  }
  drop_meioses(map, plan, genotypes, &gent);
  return std::nullopt;
}

}  // namespace genodrop
