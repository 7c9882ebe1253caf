// Reading the lines a player types on a Windows console, apart from the
// console itself so that the decisions can be tested without one.
#ifndef TESSAN_PLATFORM_WINDOWS_CONSOLE_INPUT_H_
#define TESSAN_PLATFORM_WINDOWS_CONSOLE_INPUT_H_

#include <chrono>
#include <cstddef>

#include "console/streams.h"

namespace tessan::platform {

// What one read of the console gave.
struct ConsoleRead {
  std::size_t count = 0;
  // The system reported the read as cut short (ERROR_OPERATION_ABORTED), as
  // Ctrl+C does; it may also cut a read short without saying so.
  bool aborted = false;
};

// The console as ConsoleInput uses it.
class ConsoleDevice {
 public:
  virtual ~ConsoleDevice() = default;

  // Waits for the player's input and reads up to `size` bytes of it into
  // `buffer`, as typed (a Ctrl+Z is the byte 0x1A).
  virtual ConsoleRead read(char* buffer, std::size_t size) = 0;

  // Returns true once a handler that ends the program has begun, waiting up
  // to `patience` for one to begin.
  virtual bool ending_under_way(std::chrono::milliseconds patience) = 0;

  // Waits for the handler under way to end the program; never returns.
  [[noreturn]] virtual void wait_for_ending() = 0;
};

// Standard input when it is a console.
//
// Ctrl+Z at the start of a line ends input, as in other Windows console
// programs; elsewhere in a line the byte 0x1A reaches the field unchanged.
//
// Ctrl+C also ends a read, with nothing read, while its handler starts on a
// thread of its own. That must not pass for the end of input, or the game
// would write the end-of-input report beside the handler's "Interrupt". So
// a read that gives nothing waits a moment for a handler; if one has begun,
// the game waits for it to end the program. If none begins, an aborted read
// was a Ctrl+C that the program ignores and is tried again, and any other
// empty read is the end of input.
class ConsoleInput : public ByteSource {
 public:
  // How long an empty read waits for a handler: the system starts the
  // handler's thread only after it has cut the read short.
  static constexpr std::chrono::milliseconds kHandlerPatience{1000};

  explicit ConsoleInput(ConsoleDevice& device) : device_(device) {}

  std::size_t read(char* buffer, std::size_t size) override;

 private:
  static constexpr char kCtrlZ = '\x1a';

  ConsoleDevice& device_;
  bool at_line_start_ = true;
  bool ended_ = false;
};

}  // namespace tessan::platform

#endif  // TESSAN_PLATFORM_WINDOWS_CONSOLE_INPUT_H_
