#include "simcheck/inputs.hpp"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include <unistd.h>

#include "famorder/number_file.hpp"
#include "famorder/write_table.hpp"
#include "genodrop/chromosome.hpp"
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

// genodrop's completion loop without its draws: the order in which haplotypes are made.
outcome::Outcome work_out_order(Inputs& in) {
  const auto& ped = in.pedigree;
  const int n = ped.count;
  std::vector<std::array<int, 2>> pending(n, {1, 1});
  in.parent.assign(n, {-1, -1});
  in.draw_order.clear();
  for (int i = 0; i < n; ++i)
    if (ped.records[i].father == 0) {
      pending[i] = {0, 0};
      in.draw_order.push_back({i, 0});
      in.draw_order.push_back({i, 1});
    }
  for (int b = 1; b <= ped.blocks; ++b)
    for (int i = ped.block_ends[b - 1]; i < ped.block_ends[b]; ++i)
      if (ped.records[i].father != 0) {
        in.parent[i][0] = ped.block_ends[b - 1] + ped.records[i].father - 1;
        in.parent[i][1] = ped.block_ends[b - 1] + ped.records[i].mother - 1;
      }
  for (bool progress = true; progress;) {
    progress = false;
    for (int i = 0; i < n; ++i)
      for (int s = 0; s < 2; ++s) {
        if (pending[i][s] == 0) continue;
        const int p = in.parent[i][s];
        if (pending[p][0] != 0 || pending[p][1] != 0) continue;
        pending[i][s] = 0;
        in.draw_order.push_back({i, s});
        progress = true;
      }
  }
  for (int i = 0; i < n; ++i)
    if (pending[i][0] != 0 || pending[i][1] != 0)
      return outcome::stop("the pedigree's record " + std::to_string(i + 1) +
                           " is its own ancestor: genodrop could not have made its genotypes");
  return std::nullopt;
}

}  // namespace

outcome::Outcome read_inputs(const std::string& pedigree, const std::string& chromosome,
                             const std::string& model, Inputs& in) {
  // The record layer creates a missing input empty before it fails on it: a check must
  // leave the folder it checks as it was.
  for (const std::string* file : {&pedigree, &chromosome, &model}) {
    if (file->empty()) continue;
    std::error_code error;
    if (!std::filesystem::is_regular_file(*file, error) || ::access(file->c_str(), R_OK) != 0)
      return outcome::stop("cannot read " + *file);
  }
  if (auto stop = genodrop::read_chromosome(chromosome, in.loci)) return outcome::stop(chromosome + ": " + stop->text);
  if (auto stop = genodrop::read_pedigree(pedigree, in.pedigree)) return outcome::stop(pedigree + ": " + stop->text);
  if (!model.empty()) {
    if (auto stop = traitsim::read_model(model, in.model)) return stop;
    in.has_model = true;
  }
  const int loci = in.loci.count;
  in.frequency.assign(loci, {});
  in.haldane.assign(loci, 0.5);
  for (int j = 0; j < loci; ++j) {
    const int m = in.loci.alleles[j];
    in.frequency[j].assign(2, std::vector<double>(m, 0.0));
    for (int q = 0; q < 2; ++q) {
      const auto& f = in.loci.cumulative[j][q];
      // Founders take allele a when their deviate lies above the running sums of alleles
      // before it, so a negative frequency leaves its allele no chance at all.
      double below = 0.0;
      for (int a = 0; a < m; ++a) {
        const double top = std::fmax(below, static_cast<double>(f[a]));
        in.frequency[j][q][a] = top - below;
        below = top;
      }
    }
    if (j > 0) {
      if (in.loci.positions[j] < in.loci.positions[j - 1])
        return outcome::stop(chromosome + ": locus " + std::to_string(j + 1) +
                             " lies before the locus ahead of it on the map (illegal marker order)");
      in.haldane[j] = haldane_fraction(in.loci.positions[j - 1], in.loci.positions[j]);
    }
  }
  return work_out_order(in);
}

outcome::Outcome number_pedigree(const std::string& raw, const std::string& numbered) {
  using namespace famorder;
  std::FILE* file = std::fopen(raw.c_str(), "r");
  if (file == nullptr) return outcome::stop("cannot open the raw pedigree " + raw);
  PedTable table;
  const outcome::Outcome refused = number_file(file, raw, table, "simcheck");
  std::fclose(file);
  if (refused) return refused;
  std::FILE* out = std::fopen(numbered.c_str(), "w");
  if (out == nullptr) return outcome::stop("cannot write " + numbered);
  const bool written = owif(out, table);
  if (std::fclose(out) != 0 || !written) return outcome::stop("cannot write " + numbered);
  return std::nullopt;
}

}  // namespace simcheck
