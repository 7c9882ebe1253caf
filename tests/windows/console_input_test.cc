#include "platform/windows/console_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/line_reader.h"

namespace tessan::platform {
namespace {

using namespace std::string_literals;

// What the fake console gives for one read: the bytes typed, or nothing.
struct Typed {
  std::string bytes;
  bool aborted = false;
};

// Thrown by the fake where a real console would wait for the handler to end
// the program.
struct WaitedForEnding {};

// A console with scripted reads. A handler begins when the read with the
// number `handler_after` (from 1) has been given out, as Ctrl+C does.
class ScriptedConsole : public ConsoleDevice {
 public:
  ScriptedConsole(std::vector<Typed> reads, std::size_t handler_after = 0)
      : reads_(std::move(reads)), handler_after_(handler_after) {}

  ConsoleRead read(char* buffer, std::size_t size) override {
    if (next_ == reads_.size()) {
      ADD_FAILURE() << "read after the script ended";
      return {};
    }
    const Typed& typed = reads_[next_++];
    const std::size_t count = std::min(size, typed.bytes.size());
    typed.bytes.copy(buffer, count);
    return {count, typed.aborted};
  }

  bool ending_under_way(std::chrono::milliseconds patience) override {
    patience_asked = patience;
    return handler_after_ != 0 && next_ >= handler_after_;
  }

  [[noreturn]] void wait_for_ending() override { throw WaitedForEnding{}; }

  std::size_t reads_taken() const { return next_; }
  std::chrono::milliseconds patience_asked{0};

 private:
  std::vector<Typed> reads_;
  std::size_t handler_after_;
  std::size_t next_ = 0;
};

// What successive reads of the input give: the bytes of each, "<end>" for
// an empty read and "<waits>" where the game waits for a handler.
std::vector<std::string> reads_of(ConsoleInput& input, std::size_t count) {
  std::vector<std::string> results;
  for (std::size_t i = 0; i < count; ++i) {
    char buffer[64];
    try {
      const std::size_t got = input.read(buffer, sizeof buffer);
      results.push_back(got == 0 ? "<end>" : std::string(buffer, got));
    } catch (const WaitedForEnding&) {
      results.push_back("<waits>");
      break;
    }
  }
  return results;
}

struct ConsoleCase {
  const char* name;
  std::vector<Typed> typed;
  std::size_t handler_after;
  std::size_t reads;
  std::vector<std::string> expected;
};

void PrintTo(const ConsoleCase& c, std::ostream* os) { *os << c.name; }

class ConsoleInputTest : public testing::TestWithParam<ConsoleCase> {};

TEST_P(ConsoleInputTest, Reads) {
  const ConsoleCase& c = GetParam();
  ScriptedConsole console(c.typed, c.handler_after);
  ConsoleInput input(console);
  EXPECT_EQ(reads_of(input, c.reads), c.expected);
}

const ConsoleCase kConsoleCases[] = {
    {"LinesPassUnchanged",
     {{"p\r\n"}, {" \tq \r\n"}},
     0,
     2,
     {"p\r\n", " \tq \r\n"}},
    {"CtrlZStartingALineEndsInput",
     {{"p\r\n"}, {"\x1a\r\n"}},
     0,
     3,
     {"p\r\n", "<end>", "<end>"}},
    {"CtrlZWithTextAfterItStillEnds", {{"\x1ayes\r\n"}}, 0, 1, {"<end>"}},
    {"CtrlZInsideALineIsAByte",
     {{"a\x1a\r\n"}, {"b\r\n"}},
     0,
     2,
     {"a\x1a\r\n", "b\r\n"}},
    {"CtrlZWhereALineGoesOnIsAByte",
     {{"abc"}, {"\x1a\r\n"}, {"\x1a\r\n"}},
     0,
     3,
     {"abc", "\x1a\r\n", "<end>"}},
    {"LinesBeforeACtrlZLineComeFirst",
     {{"p\r\nq\r\n\x1a\r\n"}},
     0,
     2,
     {"p\r\nq\r\n", "<end>"}},
    {"EmptyReadIsEndOfInput", {{""}}, 0, 2, {"<end>", "<end>"}},
    // Ctrl+C at a prompt: the read returns nothing and the handler begins.
    {"InterruptedReadWaitsForTheHandler",
     {{"p\r\n"}, {"", true}},
     2,
     2,
     {"p\r\n", "<waits>"}},
    // Some systems cut the read short without saying why.
    {"SilentlyInterruptedReadWaitsForTheHandler", {{""}}, 1, 1, {"<waits>"}},
    // Ctrl+C while interrupts are ignored: no handler begins.
    {"IgnoredInterruptReadsAgain",
     {{"", true}, {"", true}, {"q\r\n"}},
     0,
     1,
     {"q\r\n"}},
};

INSTANTIATE_TEST_SUITE_P(Console, ConsoleInputTest,
                         testing::ValuesIn(kConsoleCases),
                         [](const testing::TestParamInfo<ConsoleCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(ConsoleInputTest, EmptyReadGivesTheHandlerTimeToBegin) {
  ScriptedConsole console({{"", true}}, 1);
  ConsoleInput input(console);
  reads_of(input, 1);
  EXPECT_GE(console.patience_asked, std::chrono::milliseconds(100));
}

TEST(ConsoleInputTest, EndedInputIsNotReadAgain) {
  ScriptedConsole console({{"\x1a\r\n"}});
  ConsoleInput input(console);
  reads_of(input, 3);
  EXPECT_EQ(console.reads_taken(), 1u);
}

// With the line reader above it, as the game reads: Ctrl+C at a prompt
// never becomes the end-of-input report, and Ctrl+Z then Enter does.
TEST(ConsoleInputTest, InterruptAtAPromptIsNoEndOfInput) {
  ScriptedConsole console({{"\r\n"}, {"", true}}, 2);
  ConsoleInput input(console);
  LineReader lines(input);
  EXPECT_EQ(lines.read_field(14), std::string(14, ' '));
  EXPECT_THROW(lines.read_field(1), WaitedForEnding);
}

TEST(ConsoleInputTest, CtrlZThenEnterIsEndOfInput) {
  ScriptedConsole console({{"p\r\n"}, {"\x1a\r\n"}});
  ConsoleInput input(console);
  LineReader lines(input);
  EXPECT_EQ(lines.read_field(1), "p");
  try {
    lines.read_field(1);
    ADD_FAILURE() << "no end of input";
  } catch (const EndOfInput& end) {
    EXPECT_EQ(end.place, "fmt");
  }
}

}  // namespace
}  // namespace tessan::platform
