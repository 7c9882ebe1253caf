// Ending the program from a handler that runs beside the game's thread, as
// the console's handlers do on Windows, with the records in their order.
#ifndef TESSAN_PLATFORM_WINDOWS_ENDING_H_
#define TESSAN_PLATFORM_WINDOWS_ENDING_H_

#include <windows.h>

#include <chrono>
#include <string_view>

#include "console/pending_output.h"

namespace tessan::platform {

// A lock that one thread at a time holds: the system's slim reader/writer
// lock, taken exclusively. It needs no thread library and no
// initialisation at run time, so a global one is ready before main().
// Meets the standard's Lockable, for std::lock_guard and std::unique_lock.
class OutputLock {
 public:
  OutputLock() = default;
  OutputLock(const OutputLock&) = delete;
  OutputLock& operator=(const OutputLock&) = delete;

  void lock() { ::AcquireSRWLockExclusive(&lock_); }
  // Takes the lock if no thread holds it; never waits.
  bool try_lock() { return ::TryAcquireSRWLockExclusive(&lock_) != 0; }
  // Only the thread that holds the lock releases it.
  void unlock() { ::ReleaseSRWLockExclusive(&lock_); }

 private:
  SRWLOCK lock_ = SRWLOCK_INIT;
};

// What a handler beside the game takes before it writes its message.
struct TakenForEnding {
  // The finished records not yet delivered, for the handler to write.
  std::string_view records;
  // True if the handler now holds the lock on standard output, so that the
  // game's thread writes nothing more.
  bool holds_output = false;
};

// Takes what a handler that ends the program from another thread than the
// game's must deliver. `output` is the lock that the game's thread holds
// while it writes standard output. A delivery under way is let finish first,
// so that its records come before the ending's, waiting up to `patience`
// for it; if it does not finish in time (a pipe that nobody reads), its
// records stay with it and the handler goes on without the lock.
TakenForEnding take_pending_beside_game(PendingOutput& pending,
                                        OutputLock& output,
                                        std::chrono::milliseconds patience);

}  // namespace tessan::platform

#endif  // TESSAN_PLATFORM_WINDOWS_ENDING_H_
