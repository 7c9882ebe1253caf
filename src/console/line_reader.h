// Input lines read into fixed-width text fields, in bounded memory.
#ifndef TESSAN_CONSOLE_LINE_READER_H_
#define TESSAN_CONSOLE_LINE_READER_H_

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "console/streams.h"

namespace tessan {

// Thrown when a line cannot be read because input has ended. `place` is
// "fmt" when input ended while the field was being filled, and "read start"
// when it had already ended after a previous line filled its field.
struct EndOfInput {
  std::string_view place;
};

// Returns the four-line report written to standard error when input ends.
std::string end_of_input_report(const EndOfInput& end);

// Reads lines one at a time. A carriage return right before a line feed
// belongs to the line end; every other byte reaches the field unchanged.
// Memory stays bounded however long a line is.
class LineReader {
 public:
  explicit LineReader(ByteSource& source) : source_(source) {}

  // Reads one line and returns its first `width` bytes, padded with blanks
  // if the line is shorter. The rest of the line, up to and including its
  // line feed, is discarded. Throws EndOfInput if input ends before the field
  // is filled or had already ended after the previous line.
  std::string read_field(std::size_t width);

 private:
  // Returns the next byte, or -1 at end of input.
  int next();
  // Returns the next byte without taking it, or -1 at end of input.
  int peek();
  // Discards input up to and including the next line feed; returns false if
  // input ended first.
  bool skip_line();
  // Makes at least one byte available; returns false at end of input.
  bool fill();

  ByteSource& source_;
  std::array<char, 65536> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool source_ended_ = false;
  bool input_ended_after_field_ = false;
};

}  // namespace tessan

#endif  // TESSAN_CONSOLE_LINE_READER_H_
