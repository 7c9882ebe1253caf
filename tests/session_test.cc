#include "app/session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"
#include "screens.h"

namespace tessan {
namespace {

using namespace std::string_literals;

// From the end of the last board of a game of kExample to the play-again
// prompt, whole: a missing or extra empty record on either side fails.
const std::string kGameOver =
    "SCORE = 5   TOTAL SCORE = 17\n"
    "\n"
    "\n"
    " GAME OVER - TOTAL SCORE = 17\n"
    "\n"
    "\n"
    " AGAIN? (Y/N)\n";

const std::string kMoves = "p\nq\nr\ns\n";

std::string field(std::string answer) {
  answer.resize(kAnswerWidth, ' ');
  return answer;
}

struct AnswerCase {
  std::string answer;
  Answer expected;
};

TEST(DecideTest, LeadingCharactersDecide) {
  const AnswerCase cases[] = {
      {"", Answer::kStopSilently},  // An empty line is all blanks.
      {" y", Answer::kStopSilently},
      {"\tquit", Answer::kEnd},  // A tab is no blank.
      {"help", Answer::kRulesThenPlay},
      {"helpme", Answer::kRulesThenPlay},
      {"aiuto", Answer::kRulesThenPlay},
      {"aiut", Answer::kEnd},
      {"quit", Answer::kStopSilently},
      {"quitting", Answer::kStopSilently},
      {"exit", Answer::kStopSilently},
      {"y", Answer::kPlay},
      {"Y", Answer::kPlay},
      {"Yellow", Answer::kPlay},
      {"Help", Answer::kEnd},
      {"HELP", Answer::kEnd},
      {"Quit", Answer::kEnd},
      {"no", Answer::kEnd},
      {"N", Answer::kEnd},
  };
  for (const AnswerCase& c : cases) {
    EXPECT_EQ(decide(field(c.answer)), c.expected) << '"' << c.answer << '"';
  }
}

struct Session {
  std::string output;
  std::string end;  // The place named by EndOfInput, if input ended.
  std::size_t draws = 0;
};

Session run(std::string input, int games_scripted = 3) {
  StringSource source(std::move(input));
  StringSink sink;
  Console console(source, sink);
  std::vector<int> results;
  for (int i = 0; i < games_scripted; ++i) {
    const std::vector<int> game = draws_for(kExample);
    results.insert(results.end(), game.begin(), game.end());
  }
  ScriptedDraws draws(results);
  Session session;
  try {
    run_session(console, draws);
  } catch (const EndOfInput& end) {
    session.end = end.place;
  }
  console.deliver();
  session.output = sink.text;
  session.draws = draws.used();
  return session;
}

TEST(SessionTest, StartScreenThenRulesThenTheFirstBoard) {
  const Session session = run("any text at all\n");
  EXPECT_TRUE(session.output.starts_with(
      kStartScreen + kRulesScreen +
      "\n p = F           q = F           r = F            s = F\n"));
  EXPECT_EQ(session.end, "fmt");  // At the first move.
}

TEST(SessionTest, EndOfInputAtTheStartPrompt) {
  const Session session = run("");
  EXPECT_EQ(session.output, kStartScreen);
  EXPECT_EQ(session.end, "fmt");
  EXPECT_EQ(session.draws, 0U);
}

struct AfterAnswerCase {
  const char* answer;
  // What follows the play-again prompt and its empty record.
  std::string next;
  std::size_t games;
};

TEST(SessionTest, EachAnswerLeadsOn) {
  const std::string kNextBoard = "\n p = F ";
  const AfterAnswerCase cases[] = {
      {"\n", "", 1},
      {"quit\n", "", 1},
      {"exit now\n", "", 1},
      {"no\n", " End.\n", 1},
      {"Help\n", " End.\n", 1},
      {"help\n", kRulesScreen + kNextBoard, 2},
      {"aiuto!\n", kRulesScreen + kNextBoard, 2},
      {"y\n", kNextBoard, 2},
      {"Yellow submarine, a long answer\n", kNextBoard, 2},
  };
  for (const AfterAnswerCase& c : cases) {
    const Session session = run(
        std::string("\n").append(kMoves).append(c.answer).append(kMoves).append(
            "quit\n"));
    const std::string prompt_and_answer = kGameOver + "\n";
    const std::size_t after = session.output.find(prompt_and_answer);
    ASSERT_NE(after, std::string::npos) << c.answer;
    const std::string rest =
        session.output.substr(after + prompt_and_answer.size());
    if (c.games == 1) {
      EXPECT_EQ(rest, c.next) << c.answer;
    } else {
      EXPECT_TRUE(rest.starts_with(c.next)) << c.answer;
      EXPECT_TRUE(rest.ends_with(prompt_and_answer)) << c.answer;
    }
    EXPECT_EQ(session.draws, c.games * kDrawsPerGame) << c.answer;
    EXPECT_EQ(session.end, "") << c.answer;
  }
}

struct LastAnswerCase {
  std::string input;
  std::string end;
  std::size_t games;  // Begun before input ended.
};

// A last answer without a line end counts only if it fills the 14 places of
// the answer field; then input ends at the next read.
TEST(SessionTest, LastAnswerWithoutLineEnd) {
  const LastAnswerCase cases[] = {
      // At the play-again prompt; the answers that count play again.
      {"\n" + kMoves + "y", "fmt", 1},
      {"\n" + kMoves + "yes, once mor", "fmt", 1},
      {"\n" + kMoves + "yes, once more", "read start", 2},
      // At the start prompt.
      {"start, please", "fmt", 0},
      {"start, please!", "read start", 1},
  };
  for (const LastAnswerCase& c : cases) {
    const Session session = run(c.input);
    EXPECT_EQ(session.end, c.end) << '"' << c.input << '"';
    EXPECT_EQ(session.draws, c.games * kDrawsPerGame) << '"' << c.input << '"';
  }
}

TEST(SessionTest, LastMoveWithoutLineEndIsTakenThenInputEnds) {
  const Session session = run("\np");
  EXPECT_EQ(session.end, "read start");
  EXPECT_EQ(occurrences(session.output, "TOTAL SCORE ="), 2);
  EXPECT_TRUE(session.output.ends_with(
      "\n Which one of p, q, r and s (only among those false) do you want to "
      "change?\n"));
}

}  // namespace
}  // namespace tessan
