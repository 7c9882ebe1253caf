// Hand-written fakes of the platform: scripted input, captured output and
// scripted draws.
#ifndef TESSAN_TESTS_FAKES_H_
#define TESSAN_TESTS_FAKES_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "console/console.h"
#include "game/xgame.h"

namespace tessan {

// Input from a string, handed out at most `chunk` bytes per read so that
// tests can cross the reader's buffer boundaries. Once it has reported the
// end of input, a further read is a test failure: a terminal may deliver
// more after the end, and the game must not take it.
class StringSource : public ByteSource {
 public:
  explicit StringSource(std::string input, std::size_t chunk = 4096)
      : input_(std::move(input)), chunk_(chunk) {}

  std::size_t read(char* buffer, std::size_t size) override {
    if (ended_) ADD_FAILURE() << "read again after the end of input";
    const std::size_t count =
        std::min({size, chunk_, input_.size() - position_});
    input_.copy(buffer, count, position_);
    position_ += count;
    if (count == 0 && size > 0) ended_ = true;
    return count;
  }

 private:
  std::string input_;
  std::size_t chunk_;
  std::size_t position_ = 0;
  bool ended_ = false;
};

// Collects what is delivered, and the size of each delivery.
class StringSink : public Sink {
 public:
  void write(std::string_view bytes) override {
    text += bytes;
    sizes.push_back(bytes.size());
  }
  std::string text;
  std::vector<std::size_t> sizes;
};

// The constants of the worked example: c1 to c14 are T, F, T, F, T, T, F,
// T, F, F, T, F, F, F, and the opening board scores 1.
inline constexpr Constants kExample = {true, false, true,  false, true,
                                       true, false, true,  false, false,
                                       true, false, false, false};

// Hands out the given results in order; running out is a test failure.
class ScriptedDraws : public RandomSource {
 public:
  explicit ScriptedDraws(std::vector<int> results)
      : results_(std::move(results)) {}

  int draw() override {
    if (next_ == results_.size()) {
      ADD_FAILURE() << "more draws than scripted";
      return 0;
    }
    return results_[next_++];
  }

  std::size_t used() const { return next_; }

 private:
  std::vector<int> results_;
  std::size_t next_ = 0;
};

// Returns the 28 results of one game that give the constants `c`, with
// results for the proposition places that would give TRUE, to show that
// those are discarded.
inline std::vector<int> draws_for(const Constants& c) {
  // 1-based numbers of the results that become c1 to c14.
  constexpr int kConstantDraws[14] = {2,  3,  5,  8,  10, 11, 14,
                                      16, 18, 20, 22, 24, 26, 28};
  std::vector<int> results(kDrawsPerGame, kMaxDraw);
  for (std::size_t i = 0; i < c.size(); ++i) {
    results[kConstantDraws[i] - 1] = c[i] ? 16384 : 16383;
  }
  return results;
}

// Returns how many times `needle` stands in `haystack`.
inline int occurrences(std::string_view haystack, std::string_view needle) {
  int found = 0;
  for (std::size_t at = haystack.find(needle); at != std::string_view::npos;
       at = haystack.find(needle, at + needle.size())) {
    ++found;
  }
  return found;
}

}  // namespace tessan

#endif  // TESSAN_TESTS_FAKES_H_
