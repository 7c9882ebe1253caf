// Finished records on their way to standard output, kept in a buffer of
// fixed size that the handlers of an ending program can read.
#ifndef TESSAN_CONSOLE_PENDING_OUTPUT_H_
#define TESSAN_CONSOLE_PENDING_OUTPUT_H_

#include <array>
#include <atomic>
#include <cstddef>
#include <string_view>

#include "console/streams.h"

namespace tessan {

// Records wait here until the program may wait for input or must end. The
// program's own thread appends and delivers; a signal handler, or on some
// platforms another thread, may take what is left when the program ends.
//
// Two atomics make that safe without a lock, which a signal handler may not
// take: `size_` is published only once a record is complete, so an ending
// never sees half a record, and `owner_` lets exactly one of a delivery and
// an ending hand out the bytes, so that none is written twice. Lock-free
// atomics are safe in a signal handler and between threads alike.
class PendingOutput {
 public:
  // Memory stays this size however much the program writes.
  static constexpr std::size_t kCapacity = 65536;

  // Returns true if `size` more bytes fit after what is pending.
  bool fits(std::size_t size) const {
    return size <= kCapacity - size_.load(std::memory_order_relaxed);
  }

  // Returns true if nothing is pending.
  bool empty() const { return size_.load(std::memory_order_relaxed) == 0; }

  // Copies a finished record in and publishes it. Requires fits(size).
  void append(std::string_view record);

  // Hands everything pending, followed by `extra`, to `sink` and empties the
  // buffer. Does nothing once an ending has taken the buffer: the program is
  // then on its way out, and what the ending took is written by it alone.
  void deliver(Sink& sink, std::string_view extra = {});

  // For a handler that ends the program: takes the buffer for good and
  // returns the finished records in it. Returns nothing if a delivery is
  // under way (its bytes are left to it, as they may be partly written
  // already) or another ending took the buffer first. Async-signal-safe,
  // and safe while the program's thread runs on.
  std::string_view take_for_ending();

 private:
  enum Owner : int { kFree, kDelivering, kEnding };
  static_assert(std::atomic<std::size_t>::is_always_lock_free &&
                std::atomic<int>::is_always_lock_free);

  // Moves `owner_` from kFree to `to`; returns false if someone holds it.
  bool claim(Owner to);

  std::array<char, kCapacity> data_;
  std::atomic<std::size_t> size_{0};
  std::atomic<int> owner_{kFree};
};

}  // namespace tessan

#endif  // TESSAN_CONSOLE_PENDING_OUTPUT_H_
