#include "app/session.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace tessan {

namespace {

constexpr std::array<std::string_view, 7> kBanner = {
    "******************************************************",
    "*                                                    *",
    "*               Tessan 2014 - version 1              *",
    "*                                                    *",
    "*    A game of propositional logic for one player    *",
    "*                                                    *",
    "******************************************************",
};

static_assert(std::all_of(kBanner.begin(), kBanner.end(),
                          [](std::string_view line) {
                            return line.size() == 54 && line.front() == '*' &&
                                   line.back() == '*';
                          }),
              "every banner line is 54 characters, framed by asterisks");

void write_banner(Console& console) {
  for (std::string_view line : kBanner) console.write({text(line)});
}

void write_game_over(Console& console, std::int32_t total) {
  console.write_empty(2);
  console.write({text("GAME OVER - TOTAL SCORE ="), integer(total)});
  console.write_empty(2);
  console.write({text("AGAIN? (Y/N)")});
}

}  // namespace

Answer decide(std::string_view answer) {
  if (answer.starts_with("help") || answer.starts_with("aiuto")) {
    return Answer::kRulesThenPlay;
  }
  // Only the space counts as a blank here: an answer that begins with a tab
  // falls through to the end with "End.".
  if (answer.starts_with("quit") || answer.starts_with("exit") ||
      answer.starts_with(" ")) {
    return Answer::kStopSilently;
  }
  if (answer.starts_with("Y") || answer.starts_with("y")) {
    return Answer::kPlay;
  }
  return Answer::kEnd;
}

void xhelp(Console& console) {
  console.write_empty();
  console.write(
      {text("T = TRUE      F = FALSE        AND = ET       OR = VEL")});
  console.write_empty();
  console.write({text("At the beginning, p, q, r and s are FALSE.")});
  console.write(
      {text("At the end of the game, after 4 steps, they are TRUE.")});
  console.write(
      {text("Essentially, you have only to choose in which order to change")});
  console.write({text("each of them from FALSE to TRUE,"),
                 text(" in order to sum the highest score.")});
}

void run_session(Console& console, RandomSource& random) {
  console.write_empty(12);
  write_banner(console);
  console.write_empty();
  console.write({text("Press any key to begin")});
  console.write_empty();
  console.read_field(kAnswerWidth);  // Any line will do.
  xhelp(console);

  for (;;) {
    std::int32_t total = 0;
    xgame(console, random, total);
    write_game_over(console, total);
    const std::string answer = console.read_field(kAnswerWidth);
    console.write_empty();
    switch (decide(answer)) {
      case Answer::kRulesThenPlay:
        xhelp(console);
        break;
      case Answer::kStopSilently:
        return;
      case Answer::kPlay:
        break;
      case Answer::kEnd:
        console.write({text("End.")});
        return;
    }
  }
}

}  // namespace tessan
