#include "simcheck/inputs.hpp"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include <unistd.h>

#include "famorder/number_file.hpp"
#include "famorder/write_table.hpp"
#include "genodrop/chromosome.hpp"
#include "genodrop/drop_plan.hpp"
#include "genodrop/pedigree.hpp"
#include "traitsim/model_file.hpp"

namespace simcheck {
namespace {

// Haldane's fraction exactly as genodrop's meiosis forms it, in single precision, so that a
// deviate compared with it here falls on the side it fell on there.
double haldane_fraction(float from, float to) {
  const float d = static_cast<float>((to - from) * 0.01);
  if (d >= 300.0f) return 0.5f;
  const float e = static_cast<float>(std::exp(-2.0 * static_cast<double>(d)));
  return static_cast<float>((1.0f - e) / 2.0f);
}

// The order in which genodrop draws, by genodrop's own plan: the founders' haplotypes in file
// order, then the meioses pass by pass; and each non-founder's parents.
outcome::Outcome work_out_order(const std::string& pedigree_file, Inputs& in) {
  genodrop::DropPlan plan;
  if (auto problem = genodrop::plan_drop(in.pedigree, pedigree_file, plan)) return problem;
  in.parent.assign(static_cast<std::size_t>(in.pedigree.count), {-1, -1});
  in.draw_order.clear();
  in.draw_order.reserve(2 * static_cast<std::size_t>(in.pedigree.count));
  for (const std::int32_t row : plan.founders) {
    in.draw_order.push_back({row, 0});
    in.draw_order.push_back({row, 1});
  }
  for (const genodrop::Meiosis& meiosis : plan.meioses) {
    in.draw_order.push_back({meiosis.child, meiosis.side});
    in.parent[static_cast<std::size_t>(meiosis.child)][static_cast<std::size_t>(meiosis.side)] = meiosis.parent;
  }
  return std::nullopt;
}

// The expected frequencies and the fractions of one chromosome read into its table.
outcome::Outcome derive(Chromosome& chromosome) {
  const genodrop::Locides& loci = *chromosome.loci;
  chromosome.frequency.assign(static_cast<std::size_t>(loci.count), {});
  chromosome.haldane.assign(static_cast<std::size_t>(loci.count), 0.5);
  for (std::int32_t j = 0; j < loci.count; ++j) {
    const std::int32_t alleles = loci.alleles[j];
    auto& frequency = chromosome.frequency[static_cast<std::size_t>(j)];
    frequency.assign(2, std::vector<double>(static_cast<std::size_t>(alleles), 0.0));
    for (int q = 0; q < 2; ++q) {
      const auto& cumulative = loci.cumulative[j][q];
      // Founders take allele a when their deviate lies above the running sums of alleles
      // before it, so a negative frequency leaves its allele no chance at all.
      double below = 0.0;
      for (std::int32_t a = 0; a < alleles; ++a) {
        const double top = std::fmax(below, static_cast<double>(cumulative[a]));
        frequency[q][static_cast<std::size_t>(a)] = top - below;
        below = top;
      }
    }
    if (j == 0) continue;
    if (loci.positions[j] < loci.positions[j - 1])
      return outcome::stop(chromosome.file + ": locus " + std::to_string(j + 1) +
                           " lies before the locus ahead of it on the map (illegal marker order)");
    chromosome.haldane[static_cast<std::size_t>(j)] = haldane_fraction(loci.positions[j - 1], loci.positions[j]);
  }
  return std::nullopt;
}

// The record layer creates a missing input empty before it fails on it: a check must leave
// the folder it checks as it was.
outcome::Outcome check_readable(const InputFiles& files) {
  std::vector<const std::string*> all = {&files.pedigree};
  for (const std::string& file : files.chromosomes) all.push_back(&file);
  all.push_back(&files.model);
  for (const std::string* file : all) {
    if (file->empty()) continue;
    std::error_code error;
    if (!std::filesystem::is_regular_file(*file, error) || ::access(file->c_str(), R_OK) != 0)
      return outcome::stop("cannot read " + *file);
  }
  return std::nullopt;
}

// genodrop's refusal of the input `file`: its own messages about a line name the file already.
outcome::Outcome about(const std::string& file, const std::string& text) {
  return outcome::stop(text.starts_with(file) ? text : file + ": " + text);
}

}  // namespace

outcome::Outcome read_inputs(const InputFiles& files, Inputs& in) {
  if (auto problem = check_readable(files)) return problem;
  in.chromosomes.clear();
  in.chromosomes.resize(files.chromosomes.size());
  for (std::size_t k = 0; k < files.chromosomes.size(); ++k) {
    Chromosome& chromosome = in.chromosomes[k];
    chromosome.file = files.chromosomes[k];
    chromosome.name = files.chromosome_names[k];
    if (auto stop = genodrop::read_chromosome(chromosome.file, *chromosome.loci, study_limits)) return about(chromosome.file, stop->text);
  }
  if (auto stop = genodrop::read_pedigree(files.pedigree, in.pedigree, study_limits)) return about(files.pedigree, stop->text);
  if (!files.model.empty()) {
    if (auto stop = traitsim::read_model(files.model, in.model)) return stop;
    in.has_model = true;
  }
  for (Chromosome& chromosome : in.chromosomes)
    if (auto problem = derive(chromosome)) return problem;
  return work_out_order(files.pedigree, in);
}

outcome::Outcome number_pedigree(const std::string& raw, const std::string& numbered) {
  using namespace famorder;
  std::FILE* file = std::fopen(raw.c_str(), "r");
  if (file == nullptr) return outcome::stop("cannot open the raw pedigree " + raw);
  PedTable table;
  const outcome::Outcome refused = number_file(file, raw, table, "simcheck", max_individuals);
  std::fclose(file);
  if (refused) return refused;
  std::FILE* out = std::fopen(numbered.c_str(), "w");
  if (out == nullptr) return outcome::stop("cannot write " + numbered);
  const bool written = owif(out, table);
  if (std::fclose(out) != 0 || !written) return outcome::stop("cannot write " + numbered);
  return std::nullopt;
}

}  // namespace simcheck
