// Statistical checks of the replicate seeds scheme on the example data, over fixed seeds:
// the trait's environment is independent of the genotype draws, and the first records of one
// replicate are unrelated to those of the next. Each check is also run on the fault it guards
// against, to show that it would see it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/random/random.hpp"
#include "simreps/replicate.hpp"

namespace {

namespace fs = std::filesystem;

// The refusal's text, "" when there is none: a failed step shows its message.
std::string text_of(const outcome::Outcome& outcome) { return outcome ? outcome->text : ""; }

double correlation(const std::vector<double>& x, const std::vector<double>& y) {
  const double n = static_cast<double>(x.size());
  double mx = 0, my = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    mx += x[i];
    my += y[i];
  }
  mx /= n;
  my /= n;
  double sxy = 0, sxx = 0, syy = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    sxy += (x[i] - mx) * (y[i] - my);
    sxx += (x[i] - mx) * (x[i] - mx);
    syy += (y[i] - my) * (y[i] - my);
  }
  return sxy / std::sqrt(sxx * syy);
}

class ReplicateStatistics : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    work_ = new fs::path(fs::temp_directory_path() / ("simreps-statistics-" + std::to_string(::getpid())));
    fs::create_directories(*work_);
    for (const char* name : {"pe0.wrk", "chromosome.wrk", "model.wrk"})
      fs::copy_file(fs::path(EXAMPLES_DIR) / name, *work_ / name, fs::copy_options::overwrite_existing);
    const std::string famorder = "cd '" + work_->string() + "' && '" SUITE_BIN "/famorder' pe0.wrk pe2.wrk >/dev/null";
    ASSERT_EQ(std::system(famorder.c_str()), 0);
    inputs_ = new simreps::Inputs;
    ASSERT_EQ(text_of(simreps::read_inputs(work_->string(), *inputs_)), "");
  }
  static void TearDownTestSuite() {
    fs::remove_all(*work_);
    delete work_;
    delete inputs_;
  }

  // The mean over `replicates` replicates of the correlation between the individuals'
  // genotypic values and environmental deviates, in standard errors of that mean.
  static double mean_in_standard_errors(std::int32_t first_seed, int replicates, bool shared_seed) {
    auto replicate = std::make_unique<simreps::Replicate>();
    std::vector<double> correlations;
    for (int r = 1; r <= replicates; ++r) {
      simreps::Seeds seeds = simreps::seeds_of(first_seed, r);
      if (shared_seed) seeds.trait = seeds.genotypes;
      EXPECT_EQ(text_of(simreps::make_replicate(*inputs_, seeds, *replicate)), "");
      std::vector<double> genetic, environment;
      for (std::int32_t k = 0; k < replicate->trait.n; ++k) {
        genetic.push_back(replicate->genetic[k]);
        environment.push_back(replicate->trait.phenotypes[k] - replicate->genetic[k]);
      }
      correlations.push_back(correlation(genetic, environment));
    }
    double mean = 0, squares = 0;
    for (double c : correlations) mean += c;
    mean /= replicates;
    for (double c : correlations) squares += (c - mean) * (c - mean);
    const double se = std::sqrt(squares / (replicates - 1) / replicates);
    return mean / se;
  }

  static fs::path* work_;
  static simreps::Inputs* inputs_;
};

fs::path* ReplicateStatistics::work_ = nullptr;
simreps::Inputs* ReplicateStatistics::inputs_ = nullptr;

TEST_F(ReplicateStatistics, TraitIsIndependentOfTheGenotypeDraws) {
  EXPECT_LT(std::fabs(mean_in_standard_errors(1000001, 250, false)), 3.0);
  // The fault of a chain that starts both programs in one second: the environment made of the
  // genotypes' own uniforms.
  EXPECT_GT(mean_in_standard_errors(1000001, 250, true), 3.0);
}

// The first founder's first deviate and first allele and the first individual's environmental
// deviate come from the first numbers of the streams, where seeds a little apart are most
// alike; from one replicate to the next, and between a replicate's two streams, they must be
// unrelated.
TEST_F(ReplicateStatistics, FirstRecordsAreUnrelatedFromOneReplicateToTheNext) {
  constexpr int replicates = 1000;
  auto replicate = std::make_unique<simreps::Replicate>();
  std::vector<double> deviate, allele, environment;
  for (int r = 1; r <= replicates; ++r) {
    ASSERT_EQ(text_of(simreps::make_replicate(*inputs_, simreps::seeds_of(424243, r), *replicate)), "");
    ASSERT_EQ(inputs_->pedigree.records[0].father, 0) << "the first record must be a founder";
    deviate.push_back(replicate->gent_of(0).deviates(0, 0)[0]);
    allele.push_back(replicate->genotypes_of(0).alleles(0, 0)[0]);
    environment.push_back(replicate->trait.phenotypes[0] - replicate->genetic[0]);
  }
  const double bound = 3.0 / std::sqrt(replicates - 1.0);
  const auto next = [](const std::vector<double>& v) {
    return std::pair{std::vector<double>(v.begin(), v.end() - 1), std::vector<double>(v.begin() + 1, v.end())};
  };
  for (const auto* series : {&deviate, &allele, &environment}) {
    const auto [now, then] = next(*series);
    EXPECT_LT(std::fabs(correlation(now, then)), bound);
  }
  EXPECT_LT(std::fabs(correlation(deviate, environment)), bound);
  EXPECT_LT(std::fabs(correlation(allele, environment)), bound);

  // Without the numbers thrown away, the first numbers of seeds one apart are near copies.
  std::vector<double> first, second;
  for (int r = 0; r < replicates; ++r) {
    ranlux::rluxgo(4, 424243 + 2 * r, 0, 0);
    first.push_back(ranlux::rndnum());
    ranlux::rluxgo(4, 424244 + 2 * r, 0, 0);
    second.push_back(ranlux::rndnum());
  }
  EXPECT_GT(correlation(first, second), 0.5);
}

}  // namespace
