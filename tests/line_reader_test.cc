#include "console/line_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fakes.h"

namespace tessan {
namespace {

using namespace std::string_literals;

// What one read gives: a field, or the place named by EndOfInput.
std::string read_or_end(LineReader& reader, std::size_t width) {
  try {
    return reader.read_field(width);
  } catch (const EndOfInput& end) {
    return "<end: " + std::string(end.place) + ">";
  }
}

struct ReadCase {
  const char* name;
  std::string input;
  std::size_t width;
  // The results of successive reads; reading stops after an end.
  std::vector<std::string> results;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class LineReaderTest
    : public testing::TestWithParam<std::tuple<ReadCase, std::size_t>> {};

// Each case is read with several chunk sizes, so that a carriage return and
// its line feed also arrive in different reads.
TEST_P(LineReaderTest, ReadsFields) {
  const auto& [c, chunk] = GetParam();
  StringSource source(c.input, chunk);
  LineReader reader(source);
  for (const std::string& expected : c.results) {
    EXPECT_EQ(read_or_end(reader, c.width), expected);
  }
}

const ReadCase kReadCases[] = {
    {"EmptyInput", "", 14, {"<end: fmt>"}},
    {"EmptyInputAtMove", "", 1, {"<end: fmt>"}},
    {"EndOfInputIsFinal", "", 1, {"<end: fmt>", "<end: fmt>"}},
    {"EmptyLineIntoWidthOne", "\n", 1, {" ", "<end: fmt>"}},
    {"EmptyLineIntoWidth14", "\n", 14, {std::string(14, ' ')}},
    {"ShortLineIsPadded", "yes\n", 14, {"yes           "}},
    {"CrLfEqualsLf", "yes\r\n", 14, {"yes           ", "<end: fmt>"}},
    {"CrLfEmptyLine", "\r\nq\n", 1, {" ", "q"}},
    {"LongLineIsCutAndRestDiscarded",
     "abcdefghijklmnopqrst\nnext\n",
     14,
     {"abcdefghijklmn", "next          ", "<end: fmt>"}},
    {"ManyCharactersCountByTheFirst", "pq\r\nr\n", 1, {"p", "r"}},
    {"CrLfAfterFullField", "ab\r\ncd\n", 2, {"ab", "cd"}},
    {"BytesAreKept",
     "\t q\x01\xff\n"s + "\0x\n"s,
     14,
     {"\t q\x01\xff         ", "\0x            "s}},
    {"LoneCarriageReturnIsAByte",
     "a\rb\n\rp\n",
     14,
     {"a\rb           ", "\rp            "}},
    {"CarriageReturnBeforeCarriageReturnLineFeed", "\r\r\n", 1, {"\r"}},
    // The last line has no line end.
    {"LastLineShorterThanField", "y", 14, {"<end: fmt>"}},
    {"LastLineCarriageReturnOnly", "ab\r", 14, {"<end: fmt>"}},
    {"LastLineFillsField", "p", 1, {"p", "<end: read start>"}},
    {"LastLineLongerThanField", "pqr", 1, {"p", "<end: read start>"}},
    {"LastLineExactlyFieldWidth",
     "abcdefghijklmn",
     14,
     {"abcdefghijklmn", "<end: read start>", "<end: read start>"}},
    {"LastLineAfterEarlierLines", "\np", 1, {" ", "p", "<end: read start>"}},
};

INSTANTIATE_TEST_SUITE_P(Lines, LineReaderTest,
                         testing::Combine(testing::ValuesIn(kReadCases),
                                          testing::Values(1, 2, 4096)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  "_Chunk" +
                                  std::to_string(std::get<1>(info.param));
                         });

// A source that makes a very long line without holding it: `length` bytes
// of 'x', a line feed, then "next\n".
class LongLineSource : public ByteSource {
 public:
  explicit LongLineSource(std::size_t length) : remaining_(length) {}

  std::size_t read(char* buffer, std::size_t size) override {
    largest_request_ = std::max(largest_request_, size);
    if (remaining_ > 0) {
      const std::size_t count = std::min(size, remaining_);
      std::memset(buffer, 'x', count);
      remaining_ -= count;
      return count;
    }
    const std::size_t count = std::min(size, tail_.size());
    tail_.copy(buffer, count);
    tail_.erase(0, count);
    return count;
  }

  std::size_t largest_request() const { return largest_request_; }

 private:
  std::size_t remaining_;
  std::string tail_ = "\nnext\n";
  std::size_t largest_request_ = 0;
};

TEST(LineReaderTest, LongLineStreamsThroughAFixedBuffer) {
  LongLineSource source(std::size_t{256} << 20);
  LineReader reader(source);
  EXPECT_EQ(reader.read_field(14), std::string(14, 'x'));
  EXPECT_EQ(reader.read_field(14), "next          ");
  EXPECT_LE(source.largest_request(), std::size_t{1} << 16);
}

TEST(EndOfInputReportTest, NamesThePlace) {
  EXPECT_EQ(end_of_input_report(EndOfInput{"fmt"}),
            "fmt: end of file\n"
            "apparent state: unit 5 (unnamed)\n"
            "last format: (A)\n"
            "lately reading sequential formatted external IO\n");
  EXPECT_EQ(end_of_input_report(EndOfInput{"read start"}).substr(0, 24),
            "read start: end of file\n");
}

}  // namespace
}  // namespace tessan
