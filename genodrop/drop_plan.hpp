// What a gene drop's draws depend on besides the generator's numbers, worked out before any
// number is drawn: from the pedigree, the founders and every meiosis in the order the offspring
// passes make them; from the map, the crossover chances and a quick way to a founder's allele.
// genodrop's own run and every replicate of simreps drop genes by this one plan.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "genodrop/tables.hpp"

namespace genodrop {

struct Meiosis {
  std::int32_t child = 0;
  std::int32_t side = 0;  // 0: the haplotype from the father, 1: from the mother
  std::int32_t parent = 0;
};

struct DropPlan {
  std::vector<std::int32_t> founders;  // rows whose father is 0, in file order
  std::vector<Meiosis> meioses;        // in the order of the offspring passes
};

// The founders of `pedigree` into `plan`, in file order, their pending flags cleared.
void list_founders(Pedigree& pedigree, DropPlan& plan);

// The founders of `pedigree` (list_founders) and its meioses: passes over the
// family blocks, each pending haplotype made as soon as its parent is complete, a parent
// completed earlier in the same pass counting at once, until no flag is left (all flags end
// cleared). Fails, naming `pedigree_name` and the line of one of them, when a pass makes
// nothing while flags are left: some individual is its own ancestor.
outcome::Outcome plan_drop(Pedigree& pedigree, std::string_view pedigree_name, DropPlan& plan);

// The draws' view of one map.
struct MapDraws {
  // chance[j]: of a switch of haplotype before locus j; 0.5 before the first, which picks the
  // starting haplotype. `fault`: the first locus lying below the one before it, or the count.
  std::vector<float> chance;
  std::size_t fault = 0;
  // For each locus and population whose cumulative frequencies never decrease, the allele of
  // the smallest deviate of each of `buckets` equal parts of (0, 1), and of 1 after them: the
  // allele of a deviate in part k lies between entries k and k + 1.
  static constexpr int buckets = 256;
  std::vector<std::array<std::array<std::int16_t, buckets + 1>, populations>> bucket_alleles;
};

MapDraws prepare_map(const Locides& locides);

// "illegal marker order" when the plan makes a meiosis on a map with a locus below the one
// before it (a pedigree of founders alone never meets the map's order).
outcome::Outcome check_marker_order(const DropPlan& plan, const MapDraws& map);

// The numbers of the generator a drop by `plan` on `loci` loci takes.
std::int64_t numbers_of(const DropPlan& plan, std::int32_t loci);

}  // namespace genodrop
