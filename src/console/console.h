// The console that the game and the main program talk through: records out,
// lines in.
#ifndef TESSAN_CONSOLE_CONSOLE_H_
#define TESSAN_CONSOLE_CONSOLE_H_

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "console/line_reader.h"
#include "console/record.h"

namespace tessan {

// Where standard output goes.
class Sink {
 public:
  virtual ~Sink() = default;

  // Delivers `bytes` at once. Failures are ignored: output is a courtesy to
  // whoever reads it, and the program goes on without a reader.
  virtual void write(std::string_view bytes) = 0;
};

class Console {
 public:
  Console(ByteSource& input, Sink& output) : lines_(input), output_(output) {}

  // Writes one record and hands it to the sink at once, so that it is
  // delivered before the next read and at any end of the program.
  void write(std::initializer_list<Item> items) {
    write(std::span<const Item>(items.begin(), items.size()));
  }
  void write(std::span<const Item> items) {
    record_.clear();
    append_record(items, record_);
    output_.write(record_);
  }

  // Writes `count` empty records.
  void write_empty(int count = 1) {
    for (int i = 0; i < count; ++i) write({});
  }

  // Reads one line into a field of `width` characters; see
  // LineReader::read_field. Throws EndOfInput.
  std::string read_field(std::size_t width) { return lines_.read_field(width); }

 private:
  LineReader lines_;
  Sink& output_;
  std::string record_;  // Reused, so that a record costs no allocation.
};

}  // namespace tessan

#endif  // TESSAN_CONSOLE_CONSOLE_H_
