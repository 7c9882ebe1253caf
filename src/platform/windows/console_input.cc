#include "platform/windows/console_input.h"

namespace tessan::platform {

std::size_t ConsoleInput::read(char* buffer, std::size_t size) {
  if (ended_ || size == 0) return 0;
  for (;;) {
    const ConsoleRead got = device_.read(buffer, size);
    if (got.count > 0) {
      // Hand over what comes before a Ctrl+Z that starts a line; the next
      // read reports the end.
      for (std::size_t i = 0; i < got.count; ++i) {
        if (at_line_start_ && buffer[i] == kCtrlZ) {
          ended_ = true;
          return i;
        }
        at_line_start_ = buffer[i] == '\n';
      }
      return got.count;
    }
    if (device_.ending_under_way(kHandlerPatience)) device_.wait_for_ending();
    if (!got.aborted) break;
  }
  ended_ = true;
  return 0;
}

}  // namespace tessan::platform
