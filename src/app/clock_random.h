// The program's random source: the standard library's generator, seeded
// once from the clock.
#ifndef TESSAN_APP_CLOCK_RANDOM_H_
#define TESSAN_APP_CLOCK_RANDOM_H_

#include <cstdint>
#include <random>

#include "game/xgame.h"

namespace tessan {

// Returns the current time in whole seconds since 1970-01-01 UTC, truncated
// to 32 bits: two runs started in the same second get the same seed.
std::uint32_t clock_seed();

class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}

  // Returns the top 15 bits of the next 32-bit result, which are uniform
  // over 0..kMaxDraw.
  int draw() override;

 private:
  std::mt19937 engine_;
};

}  // namespace tessan

#endif  // TESSAN_APP_CLOCK_RANDOM_H_
