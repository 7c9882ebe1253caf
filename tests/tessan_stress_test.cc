// Long and large runs of the built binary: memory must not grow with the
// number of games or the length of a line.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "process.h"

namespace tessan::e2e {
namespace {

const char* const kBinary = TESSAN_BINARY;

// Makes the player's input for many games: the moves of each game in a
// random order, with garbage lines between them, and play-again answers.
class InputMaker {
 public:
  explicit InputMaker(unsigned seed) : random_(seed) {}

  std::string game() {
    std::string moves = "pqrs";
    std::shuffle(moves.begin(), moves.end(), random_);
    std::string input;
    for (std::size_t i = 0; i < moves.size(); ++i) {
      const int garbage = pick(4);
      for (int g = 0; g < garbage; ++g) input += garbage_line(moves, i);
      input += moves[i];
      input += pick(2) == 0 ? "\n" : "\r\n";
    }
    return input;
  }

  // An answer that plays again, with or without the rules.
  std::string again() {
    static const char* const kAgain[] = {"y\n", "Y\r\n", "yes\n", "help\n",
                                         "aiuto\n"};
    return kAgain[pick(5)];
  }

 private:
  int pick(int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(random_);
  }

  // A line that names nothing, or now and then a proposition that is
  // already TRUE.
  std::string garbage_line(const std::string& moves, std::size_t taken) {
    static const std::string kFirst =
        std::string("PQRSxyz 0\t\r") + '\0' + "\x80\xff";
    std::string line;
    if (taken > 0 && pick(8) == 0) {
      line += moves[static_cast<std::size_t>(pick(static_cast<int>(taken)))];
    } else {
      line += kFirst[static_cast<std::size_t>(
          pick(static_cast<int>(kFirst.size())))];
    }
    const int length = pick(50) == 0 ? 100000 : pick(40);
    for (int i = 0; i < length; ++i) {
      line += static_cast<char>(pick(256));
    }
    // Keep the line one line: its bytes may be anything but a line feed.
    for (std::size_t i = 1; i < line.size(); ++i) {
      if (line[i] == '\n') line[i] = ' ';
    }
    return line + "\n";
  }

  std::mt19937 random_;
};

// Plays `games` games with the output thrown away and returns the memory
// the game holds at the last play-again prompt, in KiB.
long memory_after_games(int games) {
  Wiring wiring;
  wiring.output = Wiring::Output::kDevNull;
  wiring.fixed_layout = true;
  Process game(kBinary, wiring);
  InputMaker maker(20261209);
  EXPECT_TRUE(game.type("\n"));
  for (int g = 1; g <= games; ++g) {
    EXPECT_TRUE(game.type(maker.game())) << "game " << g;
    if (g < games) {
      EXPECT_TRUE(game.type(maker.again())) << "game " << g;
    }
  }
  EXPECT_TRUE(game.await_hunger());
  const long kib = game.anonymous_kib();
  EXPECT_TRUE(game.type("quit\n"));
  game.close_input();
  EXPECT_EQ(game.finish().exit_code, 0);
  EXPECT_EQ(game.err(), "");
  return kib;
}

// A thousand games have already filled every buffer the game keeps (the
// records waiting for the next read, the line being read, the allocator's
// pools), so ten thousand hold no more memory than they do: anything kept
// per game, a record or a line, shows as growth over the nine thousand games
// between. Only memory the game writes counts, not the pages of its program
// and libraries, which come and go with the system's file cache.
TEST(StressTest, TenThousandGamesInTheMemoryOfAThousand) {
  const long few = memory_after_games(1000);
  const long many = memory_after_games(10000);
  ASSERT_GT(few, 0);
  EXPECT_LE(many, few + 32) << "a thousand games: " << few << " KiB";
}

// Types a line of `size` bytes that begins with `first`, a chunk at a time.
bool type_long_line(Process& game, char first, std::size_t size) {
  std::string chunk(std::size_t{1} << 20, 'x');
  chunk[0] = first;
  for (std::size_t typed = 0; typed < size; typed += chunk.size()) {
    if (!game.type(chunk)) return false;
    chunk[0] = 'x';
  }
  return game.type("\n");
}

TEST(StressTest, GibibyteLinesAtEveryPromptInLittleMemory) {
  constexpr std::size_t kGibibyte = std::size_t{1} << 30;
  Process game(kBinary, {});
  ASSERT_TRUE(game.await("Press any key to begin\n\n"));
  ASSERT_TRUE(type_long_line(game, 'x', kGibibyte));
  ASSERT_TRUE(game.await("do you want to change?\n"));
  ASSERT_TRUE(type_long_line(game, 'q', kGibibyte));  // Counts as q.
  ASSERT_TRUE(game.await("Let's change q from FALSE to TRUE:\n"));
  ASSERT_TRUE(game.type("p\nr\ns\n"));
  ASSERT_TRUE(game.await("AGAIN? (Y/N)\n"));
  ASSERT_TRUE(type_long_line(game, 'y', kGibibyte));  // Plays again.
  ASSERT_TRUE(game.type("p\nq\nr\ns\nquit\n"));
  game.close_input();
  const Status status = game.finish();
  EXPECT_EQ(status.exit_code, 0);
  EXPECT_EQ(game.err(), "");
  EXPECT_LT(status.peak_kib, 8 * 1024);
  std::size_t games = 0;
  for (std::size_t at = game.out().find("GAME OVER"); at != std::string::npos;
       at = game.out().find("GAME OVER", at + 1)) {
    ++games;
  }
  EXPECT_EQ(games, 2U);
}

}  // namespace
}  // namespace tessan::e2e
