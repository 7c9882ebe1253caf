// Arbitrary bytes as the player's input to the whole program, in memory,
// with draws from a fixed seed. Every run must end normally or at the end of
// input, and every game must keep the rules of scoring.
#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "app/clock_random.h"
#include "app/session.h"
#include "console/console.h"

namespace {

class BytesSource : public tessan::ByteSource {
 public:
  explicit BytesSource(std::string_view input) : input_(input) {}

  std::size_t read(char* buffer, std::size_t size) override {
    const std::size_t count = std::min(size, input_.size());
    std::memcpy(buffer, input_.data(), count);
    input_.remove_prefix(count);
    return count;
  }

 private:
  std::string_view input_;
};

// Checks each line of output as it is delivered: five boards and four changes
// per game, step scores of at most 6 that add up to the totals shown, and game
// totals from 0 to 23.
class RuleChecker : public tessan::Sink {
 public:
  // Returns the number at the start of `text`, or -1.
  static int number(std::string_view text) {
    int value = -1;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
  }

  // Deliveries hold whole records, one or many.
  void write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const std::size_t end = bytes.find('\n');
      if (end == std::string_view::npos) std::abort();
      check(bytes.substr(0, end + 1));
      bytes.remove_prefix(end + 1);
    }
  }

 private:
  void check(std::string_view record) {
    static const std::string kScore = std::string(46, ' ') + "SCORE = ";
    constexpr std::string_view kGameOver = " GAME OVER - TOTAL SCORE = ";
    if (record.starts_with(kScore)) {
      const int step = number(record.substr(kScore.size()));
      const std::size_t total_at = record.find("TOTAL SCORE = ");
      if (step < 0 || step > 6 || total_at == std::string_view::npos)
        std::abort();
      sum_ += step;
      if (number(record.substr(total_at + 14)) != sum_) {
        std::abort();
      }
      if (++boards_ > 5 || boards_ != changes_ + 1) std::abort();
    } else if (record.starts_with(" Let's change ")) {
      if (++changes_ > 4) std::abort();
    } else if (record.starts_with(kGameOver)) {
      const int total = number(record.substr(kGameOver.size()));
      if (boards_ != 5 || changes_ != 4 || total != sum_ || total < 0 ||
          total > 23) {
        std::abort();
      }
      boards_ = changes_ = sum_ = 0;
    }
  }

  int boards_ = 0;
  int changes_ = 0;
  int sum_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  BytesSource input(
      std::string_view(reinterpret_cast<const char*>(data), size));
  RuleChecker output;
  tessan::Console console(input, output);
  tessan::SeededRandom random(static_cast<std::uint32_t>(size));
  try {
    tessan::run_session(console, random);
  } catch (const tessan::EndOfInput&) {
  }
  return 0;
}
