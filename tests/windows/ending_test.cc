#include "platform/windows/ending.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>

#include "thread.h"

namespace tessan::platform {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kPatience{5000};

// Standard output as the game's thread writes it: under the lock, slowly
// where a test asks, or not at all until the test lets it.
class LockedSink : public Sink {
 public:
  explicit LockedSink(OutputLock& lock) : lock_(lock) {}

  void write(std::string_view bytes) override {
    const std::lock_guard<OutputLock> writing(lock_);
    in_write = true;
    while (!may_finish) ::Sleep(1);
    text += bytes;
  }

  std::atomic<bool> in_write{false};
  std::atomic<bool> may_finish{true};
  std::string text;

 private:
  OutputLock& lock_;
};

class TakeBesideGameTest : public testing::Test {
 protected:
  void TearDown() override {
    if (taken_.holds_output) output_.unlock();
  }

  OutputLock output_;
  PendingOutput pending_;
  LockedSink sink_{output_};
  TakenForEnding taken_;
};

TEST_F(TakeBesideGameTest, TakesThePendingRecordsAndTheOutput) {
  pending_.append(" p = T\n");
  taken_ = take_pending_beside_game(pending_, output_, kPatience);
  EXPECT_EQ(taken_.records, " p = T\n");
  EXPECT_TRUE(taken_.holds_output);
  // The game's thread delivers nothing more, and nothing twice.
  EXPECT_EQ(pending_.take_for_ending(), "");
}

TEST_F(TakeBesideGameTest, NothingPendingStillTakesTheOutput) {
  taken_ = take_pending_beside_game(pending_, output_, kPatience);
  EXPECT_EQ(taken_.records, "");
  EXPECT_TRUE(taken_.holds_output);
}

// An interrupt while the game delivers: the delivery goes out whole before
// the handler goes on, and what the game wrote after it comes with the
// handler's records, or not at all, never after them.
TEST_F(TakeBesideGameTest, LetsADeliveryUnderWayFinishFirst) {
  pending_.append(" board\n");
  sink_.may_finish = false;
  Thread game([this] {
    pending_.deliver(sink_);
    pending_.append(" prompt\n");
  });
  while (!sink_.in_write) ::Sleep(1);
  Thread release([this] {
    ::Sleep(50);
    sink_.may_finish = true;
  });
  taken_ = take_pending_beside_game(pending_, output_, kPatience);
  EXPECT_EQ(sink_.text, " board\n");
  EXPECT_TRUE(taken_.holds_output);
  EXPECT_TRUE(taken_.records.empty() || taken_.records == " prompt\n")
      << taken_.records;
  release.join();
  game.join();
}

// A write that does not finish (a pipe that nobody reads) keeps its
// records; the handler goes on after its patience, without the lock.
TEST_F(TakeBesideGameTest, GivesUpOnAWriteThatDoesNotFinish) {
  pending_.append(" board\n");
  sink_.may_finish = false;
  Thread game([this] { pending_.deliver(sink_); });
  while (!sink_.in_write) ::Sleep(1);
  const auto start = std::chrono::steady_clock::now();
  taken_ = take_pending_beside_game(pending_, output_, milliseconds(100));
  EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(100));
  EXPECT_FALSE(taken_.holds_output);
  EXPECT_EQ(taken_.records, "");
  sink_.may_finish = true;
  game.join();
  EXPECT_EQ(sink_.text, " board\n");
}

}  // namespace
}  // namespace tessan::platform
