#include "game/xgame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

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
