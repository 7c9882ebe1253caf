// Runs the built binary through pipes, a pseudo-terminal and signals.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "process.h"
#include "screens.h"

namespace tessan::e2e {
namespace {

const char* const kBinary = TESSAN_BINARY;

// The moves of one game in which every proposition is turned TRUE.
const std::string kMoves = "p\nq\nr\ns\n";

std::string report(std::string_view place) {
  return std::string(place) +
         ": end of file\n"
         "apparent state: unit 5 (unnamed)\n"
         "last format: (A)\n"
         "lately reading sequential formatted external IO\n";
}

// Returns the number that follows `label` in `line`, or -1.
int number_after(std::string_view line, std::string_view label) {
  const std::size_t at = line.find(label);
  if (at == std::string_view::npos) return -1;
  return std::stoi(std::string(line.substr(at + label.size())));
}

// Sums the step scores of each game and checks them against the running
// totals and the game-over records.
void expect_consistent_scores(const std::string& out, int games) {
  std::vector<int> totals;
  std::vector<int> reported;
  int sum = 0;
  int boards = 0;
  std::size_t start = 0;
  for (std::size_t end; (end = out.find('\n', start)) != std::string::npos;
       start = end + 1) {
    const std::string_view line(out.data() + start, end - start);
    if (line.starts_with(" GAME OVER - TOTAL SCORE =")) {
      reported.push_back(number_after(line, "="));
    } else if (line.find("TOTAL SCORE =") != std::string_view::npos) {
      sum += number_after(line, " SCORE =");
      EXPECT_EQ(number_after(line, "TOTAL SCORE ="), sum);
      if (++boards % 5 == 0) {
        totals.push_back(sum);
        sum = 0;
      }
    }
  }
  EXPECT_EQ(boards, 5 * games);
  EXPECT_EQ(reported, totals);
}

// Waits until the game's state letter is one of `states` and returns it;
// after kPatience, returns the letter it has then.
char await_state(const Process& game, std::string_view states) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  char state = game.state();
  while (states.find(state) == std::string_view::npos &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    state = game.state();
  }
  return state;
}

// Returns true once the game sleeps, as it does in a read; the prompt that
// came before it may arrive while the game is still returning from its
// write.
bool waits_for_input(const Process& game) {
  return await_state(game, "S") == 'S';
}

// Plays as a program driving the game would: each answer is typed only once
// its prompt has arrived, so a prompt held back in a buffer makes it fail.
class Player {
 public:
  explicit Player(Process& game) : game_(game) {}

  ::testing::AssertionResult answer(std::string_view prompt,
                                    std::string_view reply) {
    if (!game_.await(prompt, asked_from_)) {
      return ::testing::AssertionFailure()
             << "no prompt \"" << prompt << "\" before the answer \"" << reply
             << "\"; the output ends with \""
             << game_.out().substr(
                    game_.out().size() -
                    std::min<std::size_t>(200, game_.out().size()))
             << "\"";
    }
    asked_from_ = game_.out().size();
    game_.type(reply);
    return ::testing::AssertionSuccess();
  }

 private:
  Process& game_;
  std::size_t asked_from_ = 0;
};

struct InputCase {
  const char* name;
  bool nonblocking;
};

void PrintTo(const InputCase& c, std::ostream* os) { *os << c.name; }

class WholeSessionTest : public ::testing::TestWithParam<InputCase> {};

TEST_P(WholeSessionTest, OverPipesAnswersEachPromptAsItComes) {
  Wiring wiring;
  wiring.nonblocking_input = GetParam().nonblocking;
  Process game(kBinary, wiring);
  Player player(game);
  ASSERT_TRUE(player.answer(kStartScreen, "\n"));

  // Garbage and a repeated move in the first game; "Yes" plays again
  // without the rules, "help me" with them, and "no" ends with "End.".
  const std::vector<std::vector<std::string>> moves = {
      {"P\n", "\n", " q\n", "s\n", "s\n", "\tr\n", "pq\n", "r\n", "q\n"},
      {"q\n", "r\n", "s\n", "p\n"},
      {"s\n", "r\n", "q\n", "p\n"},
  };
  const std::vector<std::string> answers = {"Yes\n", "help me\n", "no\n"};
  for (std::size_t g = 0; g < moves.size(); ++g) {
    for (const std::string& move : moves[g]) {
      ASSERT_TRUE(player.answer(kMovePrompt, move));
    }
    ASSERT_TRUE(player.answer(kAgainPrompt, answers[g]));
  }
  const Status status = game.finish();
  EXPECT_EQ(status.exit_code, 0);
  EXPECT_EQ(game.err(), "");
  EXPECT_TRUE(game.out().starts_with(kStartScreen));
  EXPECT_TRUE(game.out().ends_with(kAgainPrompt + "\n End.\n"));
  EXPECT_NE(game.out().find(" * * * ERROR * * * s is already TRUE\n"),
            std::string::npos);
  EXPECT_EQ(game.out().find("ERROR * * * r"), std::string::npos);
  // The rules: once at the start and once after "help me".
  const std::string rules_title = " T = TRUE      F = FALSE ";
  EXPECT_EQ(game.out().find(rules_title, game.out().find(rules_title) + 1),
            game.out().rfind(rules_title));
  EXPECT_NE(game.out().find(rules_title), game.out().rfind(rules_title));
  expect_consistent_scores(game.out(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Tessan, WholeSessionTest,
    ::testing::Values(
        InputCase{"BlockingInput", false},
        // As another program may leave a shared pipe: each read that comes
        // before the answer finds nothing yet, which is no end of input.
        InputCase{"NonBlockingInput", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TessanTest, RunsInTheSameSecondPlayTheSameConstants) {
  // Retries when a run straddles a change of second.
  for (int attempt = 0; attempt < 5; ++attempt) {
    const std::time_t before = std::time(nullptr);
    const Outcome first = run_with_input(kBinary, "\n" + kMoves + "quit\n");
    const Outcome second = run_with_input(kBinary, "\n" + kMoves + "quit\n");
    if (std::time(nullptr) != before) continue;
    EXPECT_EQ(first.status.exit_code, 0);
    EXPECT_EQ(first.out, second.out);
    return;
  }
  GTEST_SKIP() << "every attempt straddled a second";
}

struct EndCase {
  const char* name;
  std::string input;
  Wiring::Input wiring;
  std::string place;
  std::string output_ends_with;
};

void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

class EndOfInputTest : public ::testing::TestWithParam<EndCase> {};

// The report and an abort, with everything written before it delivered.
TEST_P(EndOfInputTest, ReportsAndAborts) {
  const EndCase& c = GetParam();
  Wiring wiring;
  wiring.input = c.wiring;
  const Outcome run = run_with_input(kBinary, c.input, wiring);
  EXPECT_EQ(run.status.signal, SIGABRT);
  EXPECT_EQ(run.err, report(c.place));
  EXPECT_TRUE(run.out.starts_with(kStartScreen));
  EXPECT_TRUE(run.out.ends_with(c.output_ends_with)) << run.out.substr(
      run.out.size() - std::min<std::size_t>(300, run.out.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Tessan, EndOfInputTest,
    ::testing::Values(
        EndCase{"EmptyInput", "", Wiring::Input::kPipe, "fmt", kStartScreen},
        EndCase{"ClosedInput", "", Wiring::Input::kClosed, "fmt", kStartScreen},
        EndCase{"ReadError", "", Wiring::Input::kDirectory, "fmt",
                kStartScreen},
        EndCase{"AtTheFirstMove", "\n", Wiring::Input::kPipe, "fmt",
                kMovePrompt},
        EndCase{"LastMoveWithoutLineEnd", "\np", Wiring::Input::kPipe,
                "read start", kMovePrompt},
        EndCase{"LastAnswerWithoutLineEnd", "\n" + kMoves + "y",
                Wiring::Input::kPipe, "fmt", kAgainPrompt},
        EndCase{"LastAnswerFillsTheField", "\n" + kMoves + "yes, once more",
                Wiring::Input::kPipe, "read start", kMovePrompt}),
    [](const auto& info) { return std::string(info.param.name); });

struct SignalCase {
  const char* name;
  int signal;
  const char* raised_as;  // The argument of raise_between_records.
  std::string message;
  Status status;
};

void PrintTo(const SignalCase& c, std::ostream* os) { *os << c.name; }

class SignalTest : public ::testing::TestWithParam<SignalCase> {};

TEST_P(SignalTest, AtThePromptEndsWithItsMessage) {
  const SignalCase& c = GetParam();
  Process game(kBinary, {});
  ASSERT_TRUE(game.await(kStartScreen));
  game.send(c.signal);
  const Status status = game.finish();
  EXPECT_EQ(status.exit_code, c.status.exit_code);
  EXPECT_EQ(status.signal, c.status.signal);
  EXPECT_EQ(game.err(), c.message);
  EXPECT_EQ(game.out(), kStartScreen);
}

INSTANTIATE_TEST_SUITE_P(
    Tessan, SignalTest,
    ::testing::Values(
        SignalCase{"Interrupt", SIGINT, "INT", "Interrupt\n", {1, 0}},
        SignalCase{"Termination", SIGTERM, "TERM", "Killed\n", {1, 0}},
        // Abnormal ends: one message each, no second "IOT Trap".
        SignalCase{"FloatingPointException",
                   SIGFPE,
                   "FPE",
                   "Floating Exception\n",
                   {-1, SIGABRT}},
        SignalCase{"Abort", SIGABRT, "ABRT", "IOT Trap\n", {-1, SIGABRT}}),
    [](const auto& info) { return std::string(info.param.name); });

// Signals that arrive together are handled as one: the first one's handler
// ends the game before the second can add its message.
TEST(TessanTest, SignalsThatArriveWhileStoppedEndWithTheFirstOneOnly) {
  Process game(kBinary, {});
  ASSERT_TRUE(game.await(kStartScreen));
  ASSERT_TRUE(waits_for_input(game));
  game.send(SIGSTOP);
  ASSERT_EQ(await_state(game, "T"), 'T');
  // Both stay pending until the game goes on, and then the lower-numbered
  // interrupt comes first.
  game.send(SIGINT);
  game.send(SIGTERM);
  game.send(SIGCONT);
  const Status status = game.finish();
  EXPECT_EQ(status.exit_code, 1);
  EXPECT_EQ(game.err(), "Interrupt\n");
  EXPECT_EQ(game.out(), kStartScreen);
}

TEST(TessanTest, InterruptsIgnoredAtStartStayIgnored) {
  Wiring wiring;
  wiring.ignore_interrupts = true;
  Process game(kBinary, wiring);
  ASSERT_TRUE(game.await(kStartScreen));
  game.send(SIGINT);
  game.type("\n");
  ASSERT_TRUE(game.await(kMovePrompt));  // Still playing.
  game.send(SIGTERM);
  const Status status = game.finish();
  EXPECT_EQ(status.exit_code, 1);
  EXPECT_EQ(game.err(), "Killed\n");
}

struct NowhereCase {
  const char* name;
  Wiring::Output output;
};

void PrintTo(const NowhereCase& c, std::ostream* os) { *os << c.name; }

class NowhereToWriteTest : public ::testing::TestWithParam<NowhereCase> {};

// Output that cannot be delivered is dropped silently and the game goes on
// to its normal end.
TEST_P(NowhereToWriteTest, PlaysOnAndEndsNormally) {
  Wiring wiring;
  wiring.output = GetParam().output;
  const Outcome run = run_with_input(
      kBinary, "\n" + kMoves + "y\n" + kMoves + "help\n" + kMoves + "no\n",
      wiring);
  EXPECT_EQ(run.status.exit_code, 0);
  EXPECT_EQ(run.status.signal, 0);
  EXPECT_EQ(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Tessan, NowhereToWriteTest,
    ::testing::Values(NowhereCase{"PipeWithoutReader",
                                  Wiring::Output::kPipeWithoutReader},
                      NowhereCase{"DevFull", Wiring::Output::kDevFull},
                      NowhereCase{"Closed", Wiring::Output::kClosed}),
    [](const auto& info) { return std::string(info.param.name); });

struct SlowOutputCase {
  const char* name;
  bool terminal;  // Else a pipe of one page.
  int games;
  const char* line_end;  // What a line feed of the game's output becomes.
};

void PrintTo(const SlowOutputCase& c, std::ostream* os) { *os << c.name; }

class SlowOutputTest : public ::testing::TestWithParam<SlowOutputCase> {};

// With all the input there at once, the game writes more than its output
// holds before it waits for a line; a reader that reads only while the game
// sleeps makes it meet a full output, which is no reason to drop anything.
TEST_P(SlowOutputTest, EveryRecordArrivesIntact) {
  const SlowOutputCase& c = GetParam();
  Wiring wiring;
  wiring.pseudo_terminal = c.terminal;
  wiring.echo = false;
  wiring.nonblocking_output = true;
  if (!c.terminal) wiring.output_pipe_size = 4096;
  std::string input = "\n";
  for (int g = 1; g <= c.games; ++g) {
    input += kMoves + (g < c.games ? "y\n" : "no\n");
  }
  // Compared with a run over an ordinary pipe in the same second, which
  // plays the same constants; retries when the runs straddle a second.
  for (int attempt = 0; attempt < 5; ++attempt) {
    const std::time_t before = std::time(nullptr);
    Process game(kBinary, wiring);
    ASSERT_TRUE(game.type(input));
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (await_state(game, "SZ") == 'S' &&
           std::chrono::steady_clock::now() < deadline) {
      game.pump(std::chrono::milliseconds(0));
    }
    const Status status = game.finish();
    const Outcome plain = run_with_input(kBinary, input);
    if (std::time(nullptr) != before) continue;

    std::string expected;
    for (const char byte : plain.out) {
      if (byte == '\n') {
        expected += c.line_end;
      } else {
        expected += byte;
      }
    }
    EXPECT_EQ(status.exit_code, 0);
    EXPECT_EQ(game.err(), "");
    EXPECT_EQ(game.out().size(), expected.size());
    const auto [got, want] = std::ranges::mismatch(game.out(), expected);
    EXPECT_TRUE(got == game.out().end() && want == expected.end())
        << "first difference at byte " << got - game.out().begin();
    return;
  }
  GTEST_SKIP() << "every attempt straddled a second";
}

INSTANTIATE_TEST_SUITE_P(
    Tessan, SlowOutputTest,
    ::testing::Values(
        // One page: a pipe refuses a write of a line that does not fit.
        SlowOutputCase{"NonBlockingPipeOfOnePage", false, 3, "\n"},
        // A terminal takes what fits of a write, and the rest is left to
        // the writer.
        SlowOutputCase{"NonBlockingTerminal", true, 10, "\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TessanTest, ArgumentsAreIgnoredAndQuitEndsSilently) {
  Wiring wiring;
  wiring.arguments = {"--help", "-v", "/nonexistent"};
  const Outcome run = run_with_input(kBinary, "\n" + kMoves + "quit\n", wiring);
  EXPECT_EQ(run.status.exit_code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(run.out.starts_with(kStartScreen));
  EXPECT_TRUE(run.out.ends_with(kAgainPrompt + "\n"));
}

// On a terminal, every prompt is on the screen while the game waits for its
// answer, and Ctrl+C ends the game.
TEST(TessanTerminalTest, PromptsAreOnTheScreenBeforeEachRead) {
  Wiring wiring;
  wiring.pseudo_terminal = true;
  Process game(kBinary, wiring);
  // The terminal turns each line feed into a carriage return and a line
  // feed, and echoes what is typed.
  ASSERT_TRUE(game.await("Press any key to begin\r\n\r\n"));
  EXPECT_TRUE(waits_for_input(game));
  std::size_t from = game.out().size();
  game.type("\n");
  for (const char* move : {"p\n", "x\n", "p\n", "q\n", "r\n", "s\n"}) {
    ASSERT_TRUE(game.await("do you want to change?\r\n", from)) << move;
    from = game.out().size();
    EXPECT_TRUE(waits_for_input(game));
    game.type(move);
  }
  ASSERT_TRUE(game.await("AGAIN? (Y/N)\r\n", from));
  EXPECT_TRUE(waits_for_input(game));
  game.type("\x03");  // Ctrl+C, as the terminal's interrupt character.
  const Status status = game.finish();
  EXPECT_EQ(status.exit_code, 1);
  EXPECT_TRUE(game.out().ends_with("Interrupt\r\n")) << game.out();
}

// Signals raised between two records of a board, by a test program that
// stands in for the game there: the finished records come out first, once.
TEST_P(SignalTest, BetweenTwoRecordsDeliversThemBeforeItsMessage) {
  const SignalCase& c = GetParam();
  Wiring wiring;
  wiring.arguments = {c.raised_as};
  const Outcome run = run_with_input(TESSAN_RAISE_BETWEEN_RECORDS, "", wiring);
  EXPECT_EQ(run.status.exit_code, c.status.exit_code);
  EXPECT_EQ(run.status.signal, c.status.signal);
  EXPECT_EQ(run.err, c.message);
  EXPECT_EQ(run.out,
            "\n p = F           q = T           r = F            s = F\n\n");
}

// The input of `games` games, all of them the same.
std::string games_input(int games) {
  std::string input = "\n";
  for (int g = 1; g < games; ++g) input += kMoves + "y\n";
  return input + kMoves + "quit\n";
}

// A game blocked writing to a pipe that nobody reads still ends at once.
TEST(SignalWhileWritingTest, EndsAtOnceWhenOutputIsBlocked) {
  for (const int signal_number : {SIGINT, SIGTERM}) {
    Process game(kBinary, {});
    // Far more output than the pipe and the game's buffer hold.
    ASSERT_TRUE(game.type(games_input(300)));
    ASSERT_TRUE(waits_for_input(game));  // Asleep in its write.
    game.send(signal_number);
    const Status status = game.await_end(std::chrono::seconds(10));
    EXPECT_EQ(status.exit_code, 1) << signal_number;
    EXPECT_EQ(game.err(), signal_number == SIGINT ? "Interrupt\n" : "Killed\n");
  }
}

// Counts the game's reads of standard input and writes to standard output
// in a trace written by strace.
struct SystemCalls {
  int reads = 0;
  int writes = 0;
};

SystemCalls count_calls(const std::string& trace_path) {
  std::ifstream trace(trace_path);
  SystemCalls calls;
  for (std::string line; std::getline(trace, line);) {
    if (line.starts_with("read(0,")) ++calls.reads;
    if (line.starts_with("write(1,")) ++calls.writes;
  }
  return calls;
}

class SystemCallTest : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "LeakSanitizer does not run under strace";
#endif
    if (::access(kStrace, X_OK) != 0) GTEST_SKIP() << "no strace";
    folder_ = testing::TempDir();
  }

  static constexpr const char* kStrace = "/usr/bin/strace";
  std::string folder_;
};

TEST_F(SystemCallTest, PromptByPromptOneWritePerReadAndOneAtTheEnd) {
  const std::string trace = folder_ + "/prompt_by_prompt.trace";
  Wiring wiring;
  wiring.arguments = {"-qq", "-o", trace, "-e", "trace=read,write", kBinary};
  Process game(kStrace, wiring);
  Player player(game);
  ASSERT_TRUE(player.answer(kStartScreen, "\n"));
  for (const char* move : {"p\n", "x\n", "p\n", "q\n", "r\n", "s\n"}) {
    ASSERT_TRUE(player.answer(kMovePrompt, move));
  }
  ASSERT_TRUE(player.answer(kAgainPrompt, "no\n"));
  EXPECT_EQ(game.finish().exit_code, 0);
  EXPECT_TRUE(game.out().ends_with(" End.\n"));
  const SystemCalls calls = count_calls(trace);
  EXPECT_EQ(calls.reads, 8);
  EXPECT_EQ(calls.writes, calls.reads + 1);
}

TEST_F(SystemCallTest, FromAFileOneWritePerFullBuffer) {
  const std::string input_path = folder_ + "/games.txt";
  const std::string output_path = folder_ + "/screen.txt";
  const std::string trace = folder_ + "/from_a_file.trace";
  std::ofstream(input_path) << games_input(200);
  Wiring wiring;
  wiring.arguments = {
      "-c",
      "exec \"$0\" -qq -o \"$1\" -e trace=read,write \"$2\" <\"$3\" >\"$4\"",
      kStrace,
      trace,
      kBinary,
      input_path,
      output_path};
  const Outcome run = run_with_input("/bin/sh", "", wiring);
  EXPECT_EQ(run.status.exit_code, 0);
  const auto size = static_cast<std::size_t>(
      std::ifstream(output_path, std::ios::binary | std::ios::ate).tellg());
  EXPECT_GT(size, 10 * std::size_t{65536});
  const SystemCalls calls = count_calls(trace);
  EXPECT_EQ(calls.reads, 1);
  EXPECT_GE(calls.writes, static_cast<int>((size + 65535) / 65536));
  EXPECT_LE(calls.writes, static_cast<int>((size + 65535) / 65536) + 1);
}

}  // namespace
}  // namespace tessan::e2e
