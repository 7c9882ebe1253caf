#include "console/record.h"

#include <cstddef>
#include <utility>

namespace tessan {

namespace {

// Composes the lines of a record and keeps track of the current column.
class LineBuilder {
 public:
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

  std::string finish() && {
    out_ += '\n';
    return std::move(out_);
  }

 private:
  std::string out_;
  std::size_t column_ = 0;
};

// The decimal digits of |value|; the most negative value included.
std::string magnitude_digits(std::int32_t value) {
  std::int64_t magnitude = value;
  if (magnitude < 0) magnitude = -magnitude;
  char digits[16];
  std::size_t start = sizeof digits;
  do {
    digits[--start] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  return std::string(digits + start, sizeof digits - start);
}

}  // namespace

std::string format_record(std::span<const Item> items) {
  LineBuilder line;
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
        // The blank and the sign do not count when deciding on a new line.
        const std::string digits = magnitude_digits(item.value);
        line.make_room(digits.size());
        line.put(item.value < 0 ? " -" : " ");
        line.put(digits);
        break;
      }
    }
  }
  return std::move(line).finish();
}

}  // namespace tessan
