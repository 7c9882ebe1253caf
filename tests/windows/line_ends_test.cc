#include "platform/windows/line_ends.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessan::platform {
namespace {

using namespace std::string_literals;

// Translates all of `text` through a buffer of `room` bytes, as the sinks
// do, and returns the bytes written and the number of writes.
std::pair<std::string, int> translate(std::string_view text, std::size_t room) {
  std::vector<char> buffer(room);
  std::string written;
  int writes = 0;
  while (!text.empty()) {
    const Translated done = with_crlf_line_ends(text, buffer);
    if (done.taken == 0) return {written + "<stuck>", writes};
    written.append(buffer.data(), done.made);
    ++writes;
    text.remove_prefix(done.taken);
  }
  return {written, writes};
}

struct LineEndCase {
  std::string text;
  std::size_t room;
  std::string expected;
  int writes;
};

TEST(LineEndsTest, EachLineFeedGetsACarriageReturn) {
  const LineEndCase cases[] = {
      {"", 8, "", 0},
      {"\n", 8, "\r\n", 1},
      {" p = T\n\n", 64, " p = T\r\n\r\n", 1},
      // Every other byte goes out unchanged, a carriage return too.
      {"a\rb\r\n\x1a\t\n", 64, "a\rb\r\r\n\x1a\t\r\n", 1},
      // A line feed that would not fit with its carriage return waits for
      // the next write.
      {"abc\n", 4, "abc\r\n", 2},
      {"\n\n\n", 2, "\r\n\r\n\r\n", 3},
      {"ab\ncd\n", 3, "ab\r\ncd\r\n", 3},
  };
  for (const LineEndCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text) + " through " +
                 std::to_string(c.room));
    const auto [written, writes] = translate(c.text, c.room);
    EXPECT_EQ(written, c.expected);
    EXPECT_EQ(writes, c.writes);
  }
}

// A whole delivery, all of it line feeds at worst, goes out in one write
// through a buffer twice its size.
TEST(LineEndsTest, DoubleRoomTakesAnyDeliveryAtOnce) {
  const std::string lines(4096, '\n');
  const auto [written, writes] = translate(lines, 2 * lines.size());
  EXPECT_EQ(written.size(), 2 * lines.size());
  EXPECT_EQ(writes, 1);
}

}  // namespace
}  // namespace tessan::platform
