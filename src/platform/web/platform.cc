// The platform in a web page: the program runs as a WebAssembly module and
// the page that starts it plays the terminal. The page passes these
// functions in the module's settings object:
//
//   tessanRead(size)           returns a promise of the next bytes typed, at
//                              most `size` of them and at most one line: an
//                              empty array at end of input (Ctrl+D), null
//                              when the player interrupts (Ctrl+C);
//   tessanWrite(stream, bytes) shows bytes meant for standard output (1) or
//                              standard error (2);
//   tessanReport()             learns that the program is about to end
//                              abnormally after its own report on standard
//                              error (the end of input), so that the page
//                              can tell that end from a fault of the module;
//   tessanSeconds()            (optional) returns the clock's second, in
//                              whole seconds since 1970-01-01 UTC, so that
//                              the page can choose the seed that the game
//                              draws its boards from.
//
// Without tessanSeconds, the clock is the browser's own, Date.now().
//
// A read waits without running: the module is built with Asyncify, so the
// program's stack is saved, control goes back to the browser, and the stack
// is restored once the page resolves the promise with the player's line.
#include "platform/platform.h"

#include <emscripten.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

// The calls into the page. They are C functions, outside any namespace.
// clang-format off
EM_ASYNC_JS(int, tessan_wait_for_input, (char* buffer, int size), {
  const bytes = await Module.tessanRead(size);
  if (bytes === null) return -1;
  HEAPU8.set(bytes, buffer);
  return bytes.length;
});

EM_JS(void, tessan_show, (int stream, const char* bytes, int size), {
  Module.tessanWrite(stream, HEAPU8.slice(bytes, bytes + size));
});

EM_JS(void, tessan_report_abnormal_end, (), {
  Module.tessanReport();
});

EM_JS(double, tessan_browser_seconds, (), {
  if (Module.tessanSeconds) return Module.tessanSeconds();
  return Math.floor(Date.now() / 1000);
});
// clang-format on

namespace tessan::platform {

namespace {

// What tessan_wait_for_input returns when the player interrupts.
constexpr int kInterrupted = -1;

constexpr int kStandardOutput = 1;
constexpr int kStandardError = 2;

// Hands `bytes` to the page, to be shown as written on `stream`.
void write_all(int stream, std::string_view bytes) {
  if (!bytes.empty()) {
    tessan_show(stream, bytes.data(), static_cast<int>(bytes.size()));
  }
}

// What the interrupt delivers before its message. Set once, before the
// first read.
PendingOutput* pending_output = nullptr;

// Does what the interrupt handler does on POSIX systems. The page can only
// interrupt a read: the program runs to its next read without giving the
// page a turn, so an interrupt never lands in the middle of a record.
[[noreturn]] void end_by_interrupt() {
  if (pending_output != nullptr) {
    write_all(kStandardOutput, pending_output->take_for_ending());
  }
  write_all(kStandardError, "Interrupt\n");
  _exit(1);
}

class StandardInput final : public ByteSource {
 public:
  std::size_t read(char* buffer, std::size_t size) override {
    // The call takes an int; the line reader never asks for this much.
    constexpr std::size_t kLargestRead = 1 << 20;
    const int count = tessan_wait_for_input(
        buffer, static_cast<int>(std::min(size, kLargestRead)));
    if (count == kInterrupted) end_by_interrupt();
    return static_cast<std::size_t>(count);
  }
};

class StandardOutput final : public Sink {
 public:
  void write(std::string_view bytes) override {
    write_all(kStandardOutput, bytes);
  }
};

}  // namespace

ByteSource& standard_input() {
  static StandardInput input;
  return input;
}

Sink& standard_output() {
  static StandardOutput output;
  return output;
}

// Only the interrupt has a counterpart in the page, Ctrl+C, and the read
// handles it. Nothing in a page requests termination, and WebAssembly has no
// signals: a floating-point exception cannot arrive (a division by zero
// traps and ends the module) and the program calls abort() only through
// abort_with_message(). So there is nothing to install.
void install_signal_handlers(PendingOutput& pending) {
  pending_output = &pending;
}

void abort_with_message(std::string_view message) {
  write_all(kStandardError, message);
  // The page learns of the abnormal end through the module's onAbort, and
  // that it was this one here.
  tessan_report_abnormal_end();
  std::abort();
}

std::int64_t seconds_since_epoch() {
  return static_cast<std::int64_t>(tessan_browser_seconds());
}

}  // namespace tessan::platform
