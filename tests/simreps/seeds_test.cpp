// The seed rule that the command line, the study record and the replicates share: at its
// limits, the last replicate's last seed is the generator's last, and one more replicate or a
// first seed one higher leaves no room.
#include <gtest/gtest.h>

#include "simreps/seeds.hpp"

namespace {

using namespace simreps;

TEST(Seeds, TheLastReplicateEndsOnTheLastSeedTheGeneratorTakes) {
  for (const std::int64_t chromosomes : {1, 2, 7}) {
    const std::int64_t seeds = seeds_per_replicate(static_cast<std::size_t>(chromosomes));
    const std::int64_t most = room_for(1, seeds);
    const std::int64_t first = highest_first_seed(most, seeds);
    ASSERT_GE(first, 1) << chromosomes;
    EXPECT_EQ(seeds_of(static_cast<std::int32_t>(first), most, chromosomes).trait, max_seed) << chromosomes;
    EXPECT_EQ(room_for(first, seeds), most) << chromosomes;
    EXPECT_EQ(room_for(first + 1, seeds), most - 1) << chromosomes;
    for (int draw = 0; draw < 20; ++draw) {
      const std::int32_t drawn = drawn_first_seed(most, seeds);
      EXPECT_TRUE(drawn >= 1 && drawn <= first) << chromosomes << ": " << drawn;
    }
  }
}

TEST(Seeds, EachReplicateTakesOneSeedPerChromosomeAndOneForTheTrait) {
  const Seeds third = seeds_of(100, 3, 4);
  EXPECT_EQ(third.genotypes, 100 + 5 * 2);
  EXPECT_EQ(third.trait, 100 + 5 * 2 + 4);
  EXPECT_EQ(seeds_of(100, 4, 4).genotypes, third.trait + 1);
}

}  // namespace
