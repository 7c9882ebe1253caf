// Output records: one line of the screen, composed from text, truth and
// integer items.
#ifndef TESSAN_CONSOLE_RECORD_H_
#define TESSAN_CONSOLE_RECORD_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessan {

// One item of a record. Build items with text(), truth() and integer();
// a text item refers to its characters, which must outlive the record.
struct Item {
  enum class Kind { kText, kTruth, kInteger };
  Kind kind = Kind::kText;
  std::string_view text;   // kText only.
  std::int32_t value = 0;  // kTruth (0 or 1) and kInteger.
};

// A text item: written character for character, blanks included.
constexpr Item text(std::string_view characters) {
  return {Item::Kind::kText, characters, 0};
}

// A truth item: written as " T" or " F".
constexpr Item truth(bool value) { return {Item::Kind::kTruth, {}, value}; }

// An integer item: written as a blank, a minus sign if negative, and the
// digits with no leading zeros.
constexpr Item integer(std::int32_t value) {
  return {Item::Kind::kInteger, {}, value};
}

// A line is broken before an item that would bring it to this many columns.
inline constexpr std::size_t kRecordLength = 80;

// Returns the text of one record, ending in a line feed: a line that begins
// with a text item gets one leading blank, text items join with nothing
// between them, and an item that would reach kRecordLength columns on a
// non-empty line starts a new line. No items give an empty line ("\n").
std::string format_record(std::span<const Item> items);

// Appends the text of format_record(items) to `out`.
void append_record(std::span<const Item> items, std::string& out);

}  // namespace tessan

#endif  // TESSAN_CONSOLE_RECORD_H_
