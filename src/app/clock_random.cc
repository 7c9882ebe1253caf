#include "app/clock_random.h"

#include "platform/platform.h"

namespace tessan {

std::uint32_t clock_seed() {
  return static_cast<std::uint32_t>(platform::seconds_since_epoch());
}

int SeededRandom::draw() {
  static_assert(std::mt19937::min() == 0 && std::mt19937::max() == 0xffffffff);
  return static_cast<int>(engine_() >> 17);
}

}  // namespace tessan
