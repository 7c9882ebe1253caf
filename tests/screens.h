// What the player sees, as the tests expect it byte for byte.
#ifndef TESSAN_TESTS_SCREENS_H_
#define TESSAN_TESTS_SCREENS_H_

#include <string>

namespace tessan {

// From the start up to the read of the first line.
inline const std::string kStartScreen =
    std::string(12, '\n') +
    " ******************************************************\n"
    " *                                                    *\n"
    " *               Tessan 2014 - version 1              *\n"
    " *                                                    *\n"
    " *    A game of propositional logic for one player    *\n"
    " *                                                    *\n"
    " ******************************************************\n"
    "\n"
    " Press any key to begin\n"
    "\n";

inline const std::string kRulesScreen =
    "\n"
    " T = TRUE      F = FALSE        AND = ET       OR = VEL\n"
    "\n"
    " At the beginning, p, q, r and s are FALSE.\n"
    " At the end of the game, after 4 steps, they are TRUE.\n"
    " Essentially, you have only to choose in which order to change\n"
    " each of them from FALSE to TRUE, in order to sum the highest score.\n";

// The move prompt with the empty record before it.
inline const std::string kMovePrompt =
    "\n Which one of p, q, r and s (only among those false) do you want to "
    "change?\n";

// The play-again prompt with the empty record before it.
inline const std::string kAgainPrompt = "\n AGAIN? (Y/N)\n";

}  // namespace tessan

#endif  // TESSAN_TESTS_SCREENS_H_
