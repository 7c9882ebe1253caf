// The main program's own work: the banner, the rules and the loop of games.
#ifndef TESSAN_APP_SESSION_H_
#define TESSAN_APP_SESSION_H_

#include <string_view>

#include "console/console.h"
#include "game/xgame.h"

namespace tessan {

// Width of the field that receives the start and play-again answers.
inline constexpr std::size_t kAnswerWidth = 14;

// What the player's answer to "AGAIN? (Y/N)" asks for.
enum class Answer {
  kRulesThenPlay,  // Begins with "help" or "aiuto".
  kStopSilently,   // Begins with "quit", "exit" or a blank.
  kPlay,           // Begins with "Y" or "y".
  kEnd,            // Anything else: "End." and stop.
};

// Returns what an answer field asks for. Only its leading characters count,
// compared exactly and case-sensitively, in the order of the enumerators.
Answer decide(std::string_view answer);

// Writes the rules screen.
void xhelp(Console& console);

// Runs the program from the banner to its normal end: the start prompt, the
// rules, and games until the player stops. Returns on a normal end; throws
// EndOfInput if input ends at a prompt.
void run_session(Console& console, RandomSource& random);

}  // namespace tessan

#endif  // TESSAN_APP_SESSION_H_
