#include "console/line_reader.h"

#include <cstring>

namespace tessan {

std::string end_of_input_report(const EndOfInput& end) {
  std::string report(end.place);
  report +=
      ": end of file\n"
      "apparent state: unit 5 (unnamed)\n"
      "last format: (A)\n"
      "lately reading sequential formatted external IO\n";
  return report;
}

std::string LineReader::read_field(std::size_t width) {
  // Input that ended after filling the previous field fails the next read
  // before it takes anything.
  if (input_ended_after_field_) throw EndOfInput{"read start"};

  std::string field;
  field.reserve(width);
  while (field.size() < width) {
    const int byte = next();
    if (byte < 0) throw EndOfInput{"fmt"};
    if (byte == '\n' || (byte == '\r' && peek() == '\n')) {
      if (byte == '\r') next();
      field.resize(width, ' ');
      return field;
    }
    field += static_cast<char>(byte);
  }
  if (!skip_line()) input_ended_after_field_ = true;
  return field;
}

int LineReader::next() {
  if (!fill()) return -1;
  return static_cast<unsigned char>(buffer_[begin_++]);
}

int LineReader::peek() {
  if (!fill()) return -1;
  return static_cast<unsigned char>(buffer_[begin_]);
}

bool LineReader::skip_line() {
  while (fill()) {
    const char* start = buffer_.data() + begin_;
    const void* line_feed = std::memchr(start, '\n', end_ - begin_);
    if (line_feed != nullptr) {
      begin_ += static_cast<const char*>(line_feed) - start + 1;
      return true;
    }
    begin_ = end_;
  }
  return false;
}

bool LineReader::fill() {
  if (begin_ < end_) return true;
  // End of input is final: a terminal may deliver more after a Ctrl+D, but a
  // program whose input has ended does not read again.
  if (source_ended_) return false;
  begin_ = 0;
  end_ = source_.read(buffer_.data(), buffer_.size());
  if (end_ == 0) source_ended_ = true;
  return end_ != 0;
}

}  // namespace tessan
