#include "console/console.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/session.h"
#include "fakes.h"
#include "screens.h"

namespace tessan {
namespace {

// Input handed out a line per read, as a terminal does, or all at once.
// Before each read it checks that the prompt the player answers has been
// delivered, that is, that the sink ends with a prompt.
class WatchingSource : public ByteSource {
 public:
  WatchingSource(std::string input, bool line_at_a_time, const StringSink& sink)
      : input_(std::move(input)),
        line_at_a_time_(line_at_a_time),
        sink_(sink) {}

  std::size_t read(char* buffer, std::size_t size) override {
    ++reads;
    const std::string& out = sink_.text;
    EXPECT_TRUE(out.ends_with(kStartScreen) || out.ends_with(kMovePrompt) ||
                out.ends_with(kAgainPrompt))
        << "read " << reads << " while the output ends with \""
        << out.substr(out.size() - std::min<std::size_t>(out.size(), 80))
        << "\"";
    std::size_t count = std::min(size, input_.size() - position_);
    if (line_at_a_time_) {
      count = std::min(count, input_.find('\n', position_) + 1 - position_);
    }
    input_.copy(buffer, count, position_);
    position_ += count;
    return count;
  }

  int reads = 0;

 private:
  std::string input_;
  bool line_at_a_time_;
  std::size_t position_ = 0;
  const StringSink& sink_;
};

struct Delivered {
  std::string text;
  std::vector<std::size_t> sizes;
  int reads = 0;
  bool ended = false;  // Input ran out.
};

// Plays `games` games of the worked example, as the main program does,
// delivering at the end.
Delivered play(int games, bool line_at_a_time, bool end_early = false) {
  std::string input = "\n";
  std::vector<int> results;
  for (int g = 1; g <= games; ++g) {
    input += "p\nx\nq\nr\ns\n";
    input += g == games ? "quit\n" : "y\n";
    const std::vector<int> one = draws_for(kExample);
    results.insert(results.end(), one.begin(), one.end());
  }
  if (end_early) input.resize(input.size() - 7);  // Ends at the last move.
  StringSink sink;
  WatchingSource source(input, line_at_a_time, sink);
  ScriptedDraws draws(results);
  Console console(source, sink);
  Delivered delivered;
  try {
    run_session(console, draws);
  } catch (const EndOfInput&) {
    delivered.ended = true;
  }
  console.deliver();
  EXPECT_TRUE(console.pending().empty());
  delivered.text = sink.text;
  delivered.sizes = sink.sizes;
  delivered.reads = source.reads;
  return delivered;
}

struct DeliveryCase {
  const char* name;
  int games;
  bool line_at_a_time;
  bool end_early;
};

void PrintTo(const DeliveryCase& c, std::ostream* os) { *os << c.name; }

class DeliveryTest : public testing::TestWithParam<DeliveryCase> {};

// Output goes out before each read and at the end, and otherwise only in
// full buffers: the same bytes as a line at a time, in as few writes as the
// reads and the buffer allow.
TEST_P(DeliveryTest, DeliversBeforeEachReadAndOtherwiseOnlyFullBuffers) {
  const DeliveryCase& c = GetParam();
  const Delivered run = play(c.games, c.line_at_a_time, c.end_early);
  const Delivered reference = play(c.games, true, c.end_early);
  EXPECT_EQ(run.text, reference.text);
  EXPECT_EQ(run.ended, c.end_early);
  ASSERT_FALSE(run.sizes.empty());
  EXPECT_EQ(run.sizes.front(), kStartScreen.size());
  std::size_t full_buffers = 0;
  for (std::size_t size : run.sizes) {
    EXPECT_LE(size, PendingOutput::kCapacity);
    // No record is 100 bytes long, so a buffer within that is full.
    if (size + 100 > PendingOutput::kCapacity) ++full_buffers;
  }
  if (c.line_at_a_time) {
    // One write before each read, and one at the end if anything is left.
    EXPECT_EQ(run.sizes.size(),
              static_cast<std::size_t>(run.reads) + (c.end_early ? 0 : 1));
  } else {
    // The start screen before the only read, full buffers, the rest.
    EXPECT_EQ(run.reads, c.end_early ? 2 : 1);
    EXPECT_EQ(run.sizes.size(), 2 + full_buffers);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Console, DeliveryTest,
    testing::Values(DeliveryCase{"OneGameALineAtATime", 1, true, false},
                    DeliveryCase{"OneGameAllAtOnce", 1, false, false},
                    DeliveryCase{"ManyGamesALineAtATime", 40, true, false},
                    DeliveryCase{"ManyGamesAllAtOnceFillTheBuffer", 40, false,
                                 false},
                    DeliveryCase{"InputEndsAtAMoveALineAtATime", 2, true, true},
                    DeliveryCase{"InputEndsAtAMoveAllAtOnce", 2, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeliveryTest, RecordLargerThanTheBufferGoesOutWholeAfterTheOthers) {
  StringSource source("");
  StringSink sink;
  Console console(source, sink);
  const std::string huge(PendingOutput::kCapacity + 1, 'x');
  console.write({text("before")});
  console.write({text(huge)});
  console.write({text("after")});
  console.deliver();
  EXPECT_EQ(sink.text, " before\n " + huge + "\n after\n");
}

// What a handler that ends the program takes, and what the program's own
// thread may still do afterwards.
class EndingTest : public testing::Test {
 protected:
  PendingOutput pending_;
  StringSink sink_;
};

TEST_F(EndingTest, TakesTheFinishedRecordsOnceAndForGood) {
  pending_.append(" one\n");
  pending_.append(" two\n");
  EXPECT_EQ(pending_.take_for_ending(), " one\n two\n");
  EXPECT_EQ(pending_.take_for_ending(), "");  // A second ending gets none.
  // The program's thread may still write until the ending ends it: nothing
  // it does goes out, and what the ending took stays as it was.
  pending_.deliver(sink_);
  EXPECT_EQ(sink_.text, "");
}

// A sink that is interrupted by an ending in the middle of its write.
class InterruptedSink : public Sink {
 public:
  explicit InterruptedSink(PendingOutput& pending) : pending_(pending) {}
  void write(std::string_view bytes) override {
    taken = pending_.take_for_ending();
    text += bytes;
  }
  std::string text;
  std::string_view taken;

 private:
  PendingOutput& pending_;
};

TEST_F(EndingTest, LeavesADeliveryUnderWayAlone) {
  InterruptedSink sink(pending_);
  pending_.append(" one\n");
  pending_.deliver(sink);
  EXPECT_EQ(sink.taken, "");  // Would have been written twice.
  EXPECT_EQ(sink.text, " one\n");
  // Once that delivery is over, the next ending takes what comes next.
  pending_.append(" two\n");
  EXPECT_EQ(pending_.take_for_ending(), " two\n");
}

TEST_F(EndingTest, NeverTakesAnEmptiedBufferTwice) {
  pending_.append(" one\n");
  pending_.deliver(sink_);
  EXPECT_EQ(pending_.take_for_ending(), "");
  EXPECT_EQ(sink_.text, " one\n");
}

}  // namespace
}  // namespace tessan
