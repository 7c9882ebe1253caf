// Arbitrary bytes as standard input, read line by line into fields of width
// 1 and 14 and compared with a plain model of the rules that holds the whole
// input at once.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "console/line_reader.h"

namespace {

using tessan::ByteSource;
using tessan::EndOfInput;
using tessan::LineReader;

// Hands the input out a few bytes at a time, and checks that the reader
// never asks for more than its fixed buffer.
class ChunkedSource : public ByteSource {
 public:
  ChunkedSource(std::string_view input, std::size_t chunk)
      : input_(input), chunk_(chunk) {}

  std::size_t read(char* buffer, std::size_t size) override {
    if (size > 65536) std::abort();
    const std::size_t count = std::min({size, chunk_, input_.size()});
    std::memcpy(buffer, input_.data(), count);
    input_.remove_prefix(count);
    return count;
  }

 private:
  std::string_view input_;
  std::size_t chunk_;
};

// The rules, on the whole input: a line ends at a line feed, a carriage
// return right before it is dropped, and a last line without a line feed
// fails unless it fills the field.
class Model {
 public:
  explicit Model(std::string_view input) : rest_(input) {}

  // Returns the field, or "<place>" when the read fails.
  std::string read(std::size_t width) {
    if (ended_after_field_) return "<read start>";
    const std::size_t line_feed = rest_.find('\n');
    std::string line(rest_.substr(0, line_feed));
    if (line_feed == std::string_view::npos) {
      if (line.size() < width) return "<fmt>";
      ended_after_field_ = true;
      rest_ = {};
    } else {
      rest_.remove_prefix(line_feed + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
    }
    line.resize(width, ' ');
    return line;
  }

 private:
  std::string_view rest_;
  bool ended_after_field_ = false;
};

}  // namespace

// The first byte chooses the chunk size and the sequence of widths.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size == 0) return 0;
  const unsigned control = data[0];
  const std::string_view input(reinterpret_cast<const char*>(data + 1),
                               size - 1);
  ChunkedSource source(input, 1 + (control & 7U) * 9);
  LineReader reader(source);
  Model model(input);
  for (unsigned read = 0;; ++read) {
    const std::size_t width = ((control >> (3 + read % 5)) & 1U) != 0 ? 14 : 1;
    const std::string expected = model.read(width);
    std::string actual;
    bool ended = false;
    try {
      actual = reader.read_field(width);
      if (actual.size() != width) std::abort();
    } catch (const EndOfInput& end) {
      actual = "<" + std::string(end.place) + ">";
      ended = true;
    }
    if (actual != expected) std::abort();
    if (ended) return 0;
  }
}
