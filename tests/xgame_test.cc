#include "game/xgame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fakes.h"
#include "screens.h"

namespace tessan {
namespace {

using namespace std::string_literals;

constexpr bool T = true;
constexpr bool F = false;

const std::string kOpeningBoard = R"(
 p = F           q = F           r = F            s = F

  ( p   AND   T ) OR ( F   AND   s )  =  F    SCORE = 0

    T   AND ( q   OR ( r   AND   F )) =  F    SCORE = 0

 (( p   AND   T ) OR   T ) AND   s    =  F    SCORE = 0

  ( s AND NOT F ) OR ( r AND NOT T )  =  F    SCORE = 0

  ( q AND NOT F ) OR ( p AND NOT F )  =  F    SCORE = 0

  ( s  OR NOT T ) AND NOT ( r OR F )  =  F    SCORE = 0

  ( p  OR NOT F ) AND NOT ( s OR F )  =  T    SCORE =+1
                                              ---------
                                              SCORE = 1   TOTAL SCORE = 1
)";

const std::string kBoardAfterP = R"(
 p = T           q = F           r = F            s = F

  ( p   AND   T ) OR ( F   AND   s )  =  T    SCORE =+1

    T   AND ( q   OR ( r   AND   F )) =  F    SCORE = 0

 (( p   AND   T ) OR   T ) AND   s    =  F    SCORE = 0

  ( s AND NOT F ) OR ( r AND NOT T )  =  F    SCORE = 0

  ( q AND NOT F ) OR ( p AND NOT F )  =  T    SCORE =+1

  ( s  OR NOT T ) AND NOT ( r OR F )  =  F    SCORE = 0

  ( p  OR NOT F ) AND NOT ( s OR F )  =  T    SCORE =+1
                                              ---------
                                              SCORE = 3   TOTAL SCORE = 4
)";

struct Played {
  std::string output;
  std::int32_t total = -1;
};

Played play(const Constants& constants, std::string moves) {
  StringSource input(std::move(moves));
  StringSink output;
  Console console(input, output);
  ScriptedDraws draws(draws_for(constants));
  Played played;
  xgame(console, draws, played.total);
  EXPECT_EQ(draws.used(), std::size_t{kDrawsPerGame});
  console.deliver();
  played.output = output.text;
  return played;
}

TEST(XgameTest, WorkedExampleBoardsAndMoves) {
  const Played played = play(kExample, "p\np\nq\nr\ns\n");
  const std::string expected_start =
      kOpeningBoard + kMovePrompt +
      "\n\n\n Let's change p from FALSE to TRUE:\n" + kBoardAfterP +
      kMovePrompt + " * * * ERROR * * * p is already TRUE\n" + kMovePrompt +
      "\n\n\n Let's change q from FALSE to TRUE:\n";
  EXPECT_EQ(played.output.substr(0, expected_start.size()), expected_start);
  EXPECT_EQ(played.total, 17);
}

TEST(XgameTest, TotalIsTheSumOfTheFiveStepScores) {
  const Played played = play(kExample, "p\nq\nr\ns\n");
  // The five positions score 1, 3, 4, 4 and 5.
  EXPECT_NE(played.output.find("SCORE = 4   TOTAL SCORE = 8\n"),
            std::string::npos);
  EXPECT_TRUE(played.output.ends_with(
      " p = T           q = T           r = T            s = T\n"
      "\n"
      "  ( p   AND   T ) OR ( F   AND   s )  =  T    SCORE =+1\n"
      "\n"
      "    T   AND ( q   OR ( r   AND   F )) =  T    SCORE =+1\n"
      "\n"
      " (( p   AND   T ) OR   T ) AND   s    =  T    SCORE =+1\n"
      "\n"
      "  ( s AND NOT F ) OR ( r AND NOT T )  =  T    SCORE =+1\n"
      "\n"
      "  ( q AND NOT F ) OR ( p AND NOT F )  =  T    SCORE =+1\n"
      "\n"
      "  ( s  OR NOT T ) AND NOT ( r OR F )  =  F    SCORE = 0\n"
      "\n"
      "  ( p  OR NOT F ) AND NOT ( s OR F )  =  F    SCORE = 0\n"
      "                                              ---------\n"
      "                                              SCORE = 5   TOTAL SCORE "
      "= 17\n"));
  EXPECT_EQ(played.total, 17);
}

TEST(XgameTest, InvalidRepliesRepeatThePromptSilently) {
  // Upper case, a leading blank, an empty line, a digit, a NUL, a byte above
  // 127 and a tab name nothing; "pq" counts as p.
  const std::string moves =
      "P\n p\n\n1\n"s + "\0\n"s + "\xf0\n\tq\npq\nq\nr\ns\n";
  const Played played = play(kExample, moves);
  EXPECT_EQ(occurrences(played.output, kMovePrompt), 4 + 7);
  EXPECT_EQ(occurrences(played.output, " from FALSE to TRUE:\n"), 4);
  EXPECT_EQ(occurrences(played.output, "TOTAL SCORE ="), 5);
  EXPECT_EQ(occurrences(played.output, "ERROR"), 0);
  EXPECT_NE(played.output.find("Let's change p from"), std::string::npos);
}

TEST(XgameTest, ProposalOfATrueOneIsRefusedWithoutANewBoard) {
  const Played played = play(kExample, "s\ns\nsss\nr\nr\nq\np\n");
  EXPECT_EQ(
      occurrences(played.output, " * * * ERROR * * * s is already TRUE\n"), 2);
  EXPECT_EQ(
      occurrences(played.output, " * * * ERROR * * * r is already TRUE\n"), 1);
  EXPECT_EQ(occurrences(played.output, "TOTAL SCORE ="), 5);
}

TEST(XgameTest, EndOfInputAtAMoveTravelsUp) {
  StringSource input("p\nq\n");
  StringSink output;
  Console console(input, output);
  ScriptedDraws draws(draws_for(kExample));
  std::int32_t total = 0;
  try {
    xgame(console, draws, total);
    FAIL() << "input ended, the game did not notice";
  } catch (const EndOfInput& end) {
    EXPECT_EQ(end.place, "fmt");
  }
  EXPECT_TRUE(output.text.ends_with(kMovePrompt));
}

// A formula record as the player sees it up to its marker, each truth item
// shown as '_': the formula's two constants, in the order it shows them,
// then its value. Beside it, the formula as the rules give it, over the
// propositions and those two constants.
struct FormulaRow {
  std::string_view shape;
  bool (*value)(const Position& x, bool first, bool second);
};

const FormulaRow kFormulaRows[] = {
    {"  ( p   AND   _ ) OR ( _   AND   s )  =  _    SCORE =",
     [](const Position& x, bool c1, bool c2) {
       return (x.p && c1) || (c2 && x.s);
     }},
    {"    _   AND ( q   OR ( r   AND   _ )) =  _    SCORE =",
     [](const Position& x, bool c3, bool c4) {
       return c3 && (x.q || (x.r && c4));
     }},
    {" (( p   AND   _ ) OR   _ ) AND   s    =  _    SCORE =",
     [](const Position& x, bool c5, bool c6) {
       return ((x.p && c5) || c6) && x.s;
     }},
    {"  ( s AND NOT _ ) OR ( r AND NOT _ )  =  _    SCORE =",
     [](const Position& x, bool c7, bool c8) {
       return (x.s && !c7) || (x.r && !c8);
     }},
    {"  ( q AND NOT _ ) OR ( p AND NOT _ )  =  _    SCORE =",
     [](const Position& x, bool c9, bool c10) {
       return (x.q && !c9) || (x.p && !c10);
     }},
    {"  ( s  OR NOT _ ) AND NOT ( r OR _ )  =  _    SCORE =",
     [](const Position& x, bool c11, bool c12) {
       return (x.s || !c11) && !(x.r || c12);
     }},
    {"  ( p  OR NOT _ ) AND NOT ( s OR _ )  =  _    SCORE =",
     [](const Position& x, bool c13, bool c14) {
       return (x.p || !c13) && !(x.s || c14);
     }},
};

constexpr std::string_view kStatusShape =
    " p = _           q = _           r = _            s = _";

// Reads the start of `line` against `shape`: returns the truth values that
// stand where the shape has '_' (at most four), or nothing if the line is
// shorter, any other character differs or one of them is not T or F.
std::optional<std::array<bool, 4>> read_truths(std::string_view line,
                                               std::string_view shape) {
  if (line.size() < shape.size()) return std::nullopt;
  std::array<bool, 4> truths{};
  std::size_t count = 0;
  for (std::size_t i = 0; i < shape.size(); ++i) {
    if (shape[i] != '_') {
      if (line[i] != shape[i]) return std::nullopt;
    } else if (line[i] == 'T' || line[i] == 'F') {
      truths.at(count++) = line[i] == 'T';
    } else {
      return std::nullopt;
    }
  }
  return truths;
}

std::vector<std::string_view> lines_of(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t end = text.find('\n'); end != std::string_view::npos;
       end = text.find('\n')) {
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  return lines;
}

// Returns the constants as a board shows them, c1 first.
std::string letters_of(const Constants& c) {
  std::string letters;
  for (bool constant : c) letters += constant ? 'T' : 'F';
  return letters;
}

// Reads back the seven formula rows of a board whose status record shows
// `shown`, from `rows`, the 13 lines from F1 to F7, and checks each against its
// formula: the value it shows is the formula over `shown` and the two
// constants it shows, its marker goes with that value, and the constants it
// shows are its own among `drawn`. Returns what first disagrees, or nothing;
// adds the number of TRUE rows to `score`.
std::string check_rows(std::span<const std::string_view> rows,
                       const Position& shown, const Constants& drawn,
                       int& score) {
  for (std::size_t k = 0; k < std::size(kFormulaRows); ++k) {
    const FormulaRow& formula = kFormulaRows[k];
    // Each message starts as a std::string: a literal followed by a string
    // draws a false -Wrestrict from g++ 12 at -O3, as in the Windows build.
    const auto fault = [&](const char* what) {
      return std::string("F") + std::to_string(k + 1) + " " + what + ":\n" +
             std::string(rows[2 * k]);
    };
    if (k > 0 && !rows[2 * k - 1].empty()) {
      return fault("is not where it belongs");
    }
    const std::string_view row = rows[2 * k];
    const auto read = read_truths(row, formula.shape);
    if (!read || row.size() != formula.shape.size() + 2) {
      return fault("does not read as its record");
    }
    const bool first = (*read)[0];
    const bool second = (*read)[1];
    const bool value = (*read)[2];
    if (value != formula.value(shown, first, second)) {
      return fault("shows a value that its constants do not give");
    }
    if (row.substr(formula.shape.size()) != (value ? "+1" : " 0")) {
      return fault("shows a marker that is not its value's");
    }
    if (first != drawn[2 * k] || second != drawn[2 * k + 1]) {
      return fault("shows constants that are not its own");
    }
    if (value) ++score;
  }
  return {};
}

// Reads back every board of a game with the constants `drawn` and the steps
// `order`: the status record shows the position the steps reached, every
// formula row passes check_rows(), and the score record counts the TRUE
// rows. Returns what first disagrees, or nothing.
std::string check_boards(std::string_view output, const Constants& drawn,
                         std::string_view order) {
  const std::vector<std::string_view> lines = lines_of(output);
  // The records' 45 blanks and the line's one.
  const std::string separator = std::string(46, ' ') + "---------";
  const std::string score_start = std::string(46, ' ') + "SCORE = ";
  Position reached;
  bool* const propositions[] = {&reached.p, &reached.q, &reached.r, &reached.s};
  std::size_t board = 0;
  std::int32_t total = 0;
  for (std::size_t at = 0; at < lines.size(); ++at) {
    const auto status = read_truths(lines[at], kStatusShape);
    if (!status || lines[at].size() != kStatusShape.size()) continue;
    const auto where = [&] {
      return std::string("board ") + std::to_string(board + 1) + ": ";
    };
    if (board == 5) return where() + "one board too many";
    if (board > 0) {
      *propositions[std::string_view("pqrs").find(order[board - 1])] = true;
    }
    const Position shown = {(*status)[0], (*status)[1], (*status)[2],
                            (*status)[3]};
    if (shown.p != reached.p || shown.q != reached.q || shown.r != reached.r ||
        shown.s != reached.s) {
      return where() + "the status record does not follow the steps";
    }
    const std::size_t first_row = at + 2;
    const std::size_t score_at = first_row + 14;
    if (score_at >= lines.size() || !lines[at + 1].empty()) {
      return where() + "the formula rows are not where they belong";
    }
    int score = 0;
    const std::string fault = check_rows(
        std::span(lines).subspan(first_row, 13), shown, drawn, score);
    if (!fault.empty()) return where() + fault;
    total += score;
    if (lines[score_at - 1] != separator ||
        lines[score_at] != score_start + std::to_string(score) +
                               "   TOTAL SCORE = " + std::to_string(total)) {
      return where() + "the score record does not count the TRUE rows";
    }
    ++board;
  }
  if (board != 5) return std::to_string(board) + " boards instead of 5";
  return {};
}

// Every one of the 16,384 sets of constants, each with the next of the 24
// orders of steps: every board, read back as the player sees it, scores
// what it shows. A row that showed its two constants swapped would pass the
// boards compared above, whose constants are equal in three pairs.
TEST(XgameTest, EveryBoardScoresWhatItShows) {
  constexpr unsigned kSets = 1U << 14;
  std::vector<std::string> orders;
  std::string order = "pqrs";
  do {
    orders.push_back(order);
  } while (std::next_permutation(order.begin(), order.end()));
  const auto steps_of = [&](unsigned set) -> const std::string& {
    return orders[set % orders.size()];
  };

  // One console plays all the games, as in a session: a console of its own
  // for each game would double the test's time under the sanitizers.
  std::string moves;
  for (unsigned set = 0; set < kSets; ++set) {
    for (char letter : steps_of(set)) moves += {letter, '\n'};
  }
  StringSource input(moves);
  StringSink output;
  Console console(input, output);

  for (unsigned set = 0; set < kSets; ++set) {
    Constants c;
    for (std::size_t i = 0; i < c.size(); ++i) c[i] = ((set >> i) & 1U) != 0;
    ScriptedDraws draws(draws_for(c));
    std::int32_t total = 0;
    xgame(console, draws, total);
    console.deliver();

    const std::string fault = check_boards(output.text, c, steps_of(set));
    ASSERT_TRUE(fault.empty())
        << fault << "\nwith the constants " << letters_of(c)
        << " and the steps " << steps_of(set);
    output.text.clear();
  }
}

TEST(DrawTest, TruthOfADrawSplitsAtOneHalf) {
  EXPECT_FALSE(truth_of_draw(0));
  EXPECT_FALSE(truth_of_draw(16383));
  EXPECT_TRUE(truth_of_draw(16384));
  EXPECT_TRUE(truth_of_draw(kMaxDraw));
  // The same as dividing by the largest result in single precision.
  for (int result = 0; result <= kMaxDraw; ++result) {
    ASSERT_EQ(truth_of_draw(result),
              static_cast<float>(result) / static_cast<float>(kMaxDraw) >= 0.5F)
        << result;
  }
}

TEST(DrawTest, EachConstantComesFromItsOwnResult) {
  // One constant TRUE at a time, every proposition place drawn TRUE.
  for (std::size_t i = 0; i < 14; ++i) {
    Constants wanted{};
    wanted[i] = true;
    ScriptedDraws draws(draws_for(wanted));
    EXPECT_EQ(draw_constants(draws), wanted) << "c" << i + 1;
    EXPECT_EQ(draws.used(), std::size_t{kDrawsPerGame});
  }
}

struct ConstantPlaceCase {
  std::size_t constant;  // 0 for c1 ... 13 for c14.
  Position position;
  const char* constants;  // c1 to c14, as T and F.
};

// For every constant place of every formula, a position and constants in
// which flipping that one constant flips its formula and no other. A formula
// that reads a wrong constant, or its two constants swapped, fails a row.
TEST(EvaluateTest, EachConstantPlaceSwaysItsOwnFormulaAlone) {
  const ConstantPlaceCase cases[] = {
      {0, {T, F, F, F}, "FFFFFFFFFFFFFF"},   // F1 = c1
      {1, {F, F, F, T}, "FFFFFFFFFFFFFF"},   // F1 = c2
      {2, {F, T, F, F}, "FFFFFFFFFFFFFF"},   // F2 = c3
      {3, {F, F, T, F}, "FFTFFFFFFFFFFF"},   // F2 = c4
      {4, {T, F, F, T}, "FFFFFFFFFFFFFF"},   // F3 = c5
      {5, {F, F, F, T}, "FFFFFFFFFFFFFF"},   // F3 = c6
      {6, {F, F, F, T}, "FFFFFFFFFFFFFF"},   // F4 = NOT c7
      {7, {F, F, T, F}, "FFFFFFFFFFFFFF"},   // F4 = NOT c8
      {8, {F, T, F, F}, "FFFFFFFFFFFFFF"},   // F5 = NOT c9
      {9, {T, F, F, F}, "FFFFFFFFFFFFFF"},   // F5 = NOT c10
      {10, {F, F, F, F}, "FFFFFFFFFFFFFF"},  // F6 = NOT c11
      {11, {F, F, F, T}, "FFFFFFFFFFFFFF"},  // F6 = NOT c12
      {12, {F, F, F, F}, "FFFFFFFFFFFFFF"},  // F7 = NOT c13
      {13, {T, F, F, F}, "FFFFFFFFFFFFFF"},  // F7 = NOT c14
  };
  for (const ConstantPlaceCase& c : cases) {
    Constants before{};
    for (std::size_t i = 0; i < before.size(); ++i) {
      before[i] = c.constants[i] == 'T';
    }
    Constants after = before;
    after[c.constant] = !after[c.constant];
    const FormulaValues was = evaluate(c.position, before);
    const FormulaValues now = evaluate(c.position, after);
    for (std::size_t f = 0; f < was.size(); ++f) {
      EXPECT_EQ(now[f] != was[f], f == c.constant / 2)
          << "c" << c.constant + 1 << " flipped, F" << f + 1;
    }
  }
}

// Every set of constants and every order of steps: the bounds the scoring
// can never leave.
TEST(EvaluateTest, ScoresStayWithinTheirBounds) {
  int highest_total = 0;
  for (unsigned bits = 0; bits < (1U << 14); ++bits) {
    Constants c;
    for (std::size_t i = 0; i < 14; ++i) c[i] = ((bits >> i) & 1U) != 0;

    const FormulaValues opening = evaluate(Position{}, c);
    EXPECT_EQ(std::count(opening.begin(), opening.begin() + 5, true), 0);
    EXPECT_EQ(opening[5], !c[10] && !c[11]);
    EXPECT_EQ(opening[6], !c[12] && !c[13]);

    const FormulaValues last = evaluate(Position{T, T, T, T}, c);
    const FormulaValues expected_last = {
        c[0] || c[1], c[2], c[4] || c[5], !c[6] || !c[7], !c[8] || !c[9], F, F};
    EXPECT_EQ(last, expected_last);

    std::array<int, 4> order = {0, 1, 2, 3};
    do {
      Position position;
      bool* propositions[] = {&position.p, &position.q, &position.r,
                              &position.s};
      int total = 0;
      for (int step = 0; step <= 4; ++step) {
        if (step > 0) *propositions[order[step - 1]] = true;
        const FormulaValues f = evaluate(position, c);
        const int score = static_cast<int>(std::count(f.begin(), f.end(), T));
        ASSERT_LE(score, 6);
        total += score;
      }
      highest_total = std::max(highest_total, total);
    } while (std::next_permutation(order.begin(), order.end()));
  }
  EXPECT_EQ(highest_total, 23);
}

}  // namespace
}  // namespace tessan
