#include "console/record.h"

#include <charconv>
#include <cstddef>

namespace tessan {

namespace {

// Appends the lines of a record to a string and keeps track of the current
// column.
class LineBuilder {
 public:
  explicit LineBuilder(std::string& out) : out_(out) {}

  // Starts a new line if an item of `width` columns would bring a non-empty
  // line to the record length.
  void make_room(std::size_t width) {
    if (column_ != 0 && column_ + width >= kRecordLength) {
      out_ += '\n';
      column_ = 0;
    }
  }

  void put(std::string_view characters) {
    out_ += characters;
    column_ += characters.size();
  }

  bool at_line_start() const { return column_ == 0; }

 private:
  std::string& out_;
  std::size_t column_ = 0;
};

}  // namespace

void append_record(std::span<const Item> items, std::string& out) {
  LineBuilder line(out);
  for (const Item& item : items) {
    switch (item.kind) {
      case Item::Kind::kText:
        line.make_room(item.text.size());
        if (line.at_line_start()) line.put(" ");
        line.put(item.text);
        break;
      case Item::Kind::kTruth:
        line.make_room(2);
        line.put(item.value != 0 ? " T" : " F");
        break;
      case Item::Kind::kInteger: {
        // Widened, so that the most negative value has a magnitude too.
        std::int64_t magnitude = item.value;
        if (magnitude < 0) magnitude = -magnitude;
        char buffer[20];
        const auto result =
            std::to_chars(buffer, buffer + sizeof buffer, magnitude);
        const std::string_view digits(
            buffer, static_cast<std::size_t>(result.ptr - buffer));
        // The blank and the sign do not count when deciding on a new line.
        line.make_room(digits.size());
        line.put(item.value < 0 ? " -" : " ");
        line.put(digits);
        break;
      }
    }
  }
  out += '\n';
}

std::string format_record(std::span<const Item> items) {
  std::string out;
  append_record(items, out);
  return out;
}

}  // namespace tessan
