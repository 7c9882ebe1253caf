#include "platform/windows/line_ends.h"

namespace tessan::platform {

Translated with_crlf_line_ends(std::string_view bytes, std::span<char> out) {
  Translated done;
  while (done.taken < bytes.size()) {
    const char byte = bytes[done.taken];
    if (byte == '\n') {
      if (out.size() - done.made < 2) break;
      out[done.made++] = '\r';
    } else if (done.made == out.size()) {
      break;
    }
    out[done.made++] = byte;
    ++done.taken;
  }
  return done;
}

}  // namespace tessan::platform
