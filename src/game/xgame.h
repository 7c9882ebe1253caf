// One game: four propositions turned TRUE one at a time, seven formulas
// scored after each step.
#ifndef TESSAN_GAME_XGAME_H_
#define TESSAN_GAME_XGAME_H_

#include <array>
#include <cstdint>

#include "console/console.h"

namespace tessan {

// The generator that the truth constants are drawn from.
class RandomSource {
 public:
  virtual ~RandomSource() = default;

  // Returns the next result, uniform over 0..kMaxDraw inclusive.
  virtual int draw() = 0;
};

inline constexpr int kMaxDraw = 32767;

// Each game takes this many results from the generator.
inline constexpr int kDrawsPerGame = 28;

// The truth values of p, q, r and s.
struct Position {
  bool p = false;
  bool q = false;
  bool r = false;
  bool s = false;
};

// The constants c1 to c14, at indices 0 to 13. Formula k uses c(2k-1) and
// c(2k).
using Constants = std::array<bool, 14>;

// The values of the formulas F1 to F7, at indices 0 to 6.
using FormulaValues = std::array<bool, 7>;

// Returns the truth value of one result: TRUE when the result divided by
// kMaxDraw is at least one half, that is when it is 16384 or more.
constexpr bool truth_of_draw(int result) { return result >= 16384; }

// Takes kDrawsPerGame results, one for each operand place of the seven
// formulas in the order they are written, and returns the constants drawn
// for the places that hold constants; the others are discarded.
Constants draw_constants(RandomSource& random);

// Returns F1 to F7 for a position.
FormulaValues evaluate(const Position& position, const Constants& c);

// Plays one game on the console: draws the constants, shows and scores the
// board five times and asks for the four steps in between. `total` is set to
// 0 on entry and holds the sum of the five step scores on return. Throws
// EndOfInput if input ends while a move is awaited.
void xgame(Console& console, RandomSource& random, std::int32_t& total);

}  // namespace tessan

#endif  // TESSAN_GAME_XGAME_H_
