#include "app/clock_random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <vector>

namespace tessan {
namespace {

struct SeedCase {
  std::uint32_t seed;
  std::vector<int> draws;
};

// Known answers: the top 15 bits of the first outputs of the standard
// library's std::mt19937 for each seed (for the default seed 5489 the first
// output is 3499211612, which gives 26696). A wrong shift, a modulo in place
// of the shift or another engine gives other draws.
TEST(SeededRandomTest, DrawsTheTopBitsOfTheEnginesOutputs) {
  const SeedCase cases[] = {
      {0, {17983, 19426, 23435, 27664, 19751}},
      {4294967295, {3199, 3657, 29896, 18438, 25855}},
      {1, {13664, 32675, 23603, 30558, 3, 4198, 9906, 32736}},
      {5489, {26696, 4439, 29680, 27361, 4161, 31747, 29929, 7242}},
  };
  for (const SeedCase& c : cases) {
    SeededRandom random(c.seed);
    for (std::size_t i = 0; i < c.draws.size(); ++i) {
      EXPECT_EQ(random.draw(), c.draws[i])
          << "seed " << c.seed << ", draw " << i + 1;
    }
  }
}

TEST(SeededRandomTest, TenThousandthDrawOfTheDefaultSeed) {
  // The engine's 10000th output for the default seed is fixed by the
  // standard: 4123659995, whose top 15 bits are 31461.
  SeededRandom random(5489);
  for (int i = 1; i < 10000; ++i) random.draw();
  EXPECT_EQ(random.draw(), 31461);
}

TEST(ClockSeedTest, IsTheClocksWholeSecondsCutTo32Bits) {
  const auto before = static_cast<std::uint32_t>(std::time(nullptr));
  const std::uint32_t seed = clock_seed();
  const auto after = static_cast<std::uint32_t>(std::time(nullptr));
  EXPECT_LE(before, seed);
  EXPECT_LE(seed, after);
}

}  // namespace
}  // namespace tessan
