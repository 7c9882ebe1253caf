// Line ends as a Windows text-mode stream writes them.
#ifndef TESSAN_PLATFORM_WINDOWS_LINE_ENDS_H_
#define TESSAN_PLATFORM_WINDOWS_LINE_ENDS_H_

#include <cstddef>
#include <span>
#include <string_view>

namespace tessan::platform {

// How much of the input one call used, and how much it made.
struct Translated {
  std::size_t taken = 0;
  std::size_t made = 0;
};

// Copies the front of `bytes` into `out`, a carriage return before each line
// feed and every other byte unchanged, until `bytes` is used up or `out` is
// full. A line feed is never split from its carriage return, so `out` needs
// room for at least two bytes for the call to make progress.
// Allocation-free, so that the handlers that end the program may use it.
Translated with_crlf_line_ends(std::string_view bytes, std::span<char> out);

}  // namespace tessan::platform

#endif  // TESSAN_PLATFORM_WINDOWS_LINE_ENDS_H_
