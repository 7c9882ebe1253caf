#include "app/clock_random.h"

#include <ctime>

namespace tessan {

std::uint32_t clock_seed() {
  return static_cast<std::uint32_t>(std::time(nullptr));
}

int SeededRandom::draw() {
  static_assert(std::mt19937::min() == 0 && std::mt19937::max() == 0xffffffff);
  return static_cast<int>(engine_() >> 17);
}

}  // namespace tessan
