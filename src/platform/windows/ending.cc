#include "platform/windows/ending.h"

namespace tessan::platform {

TakenForEnding take_pending_beside_game(PendingOutput& pending,
                                        OutputLock& output,
                                        std::chrono::milliseconds patience) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + patience;
  for (;;) {
    if (output.try_lock()) {
      // With the lock held the game's thread is not in a write, and any
      // write it starts waits for good.
      const std::string_view records = pending.take_for_ending();
      // Nothing taken while records are pending: a delivery holds them and
      // waits for the lock to write them.
      if (!records.empty() || pending.empty() || Clock::now() >= deadline) {
        return {records, true};
      }
      output.unlock();
    } else if (Clock::now() >= deadline) {
      return {pending.take_for_ending(), false};
    }
    ::Sleep(1);
  }
}

}  // namespace tessan::platform
