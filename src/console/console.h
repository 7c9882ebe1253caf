// The console that the game and the main program talk through: records out,
// lines in.
#ifndef TESSAN_CONSOLE_CONSOLE_H_
#define TESSAN_CONSOLE_CONSOLE_H_

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>

#include "console/line_reader.h"
#include "console/pending_output.h"
#include "console/record.h"
#include "console/streams.h"

namespace tessan {

// Records are kept until the program may wait for input: they are handed
// to the sink, as few writes as possible, right before each read of the
// source, when the next record would not fit, and on deliver(). So every
// prompt is out before the program waits for its answer, and input already
// at hand costs no write.
class Console {
 public:
  Console(ByteSource& input, Sink& output)
      : before_read_(*this, input), lines_(before_read_), output_(output) {}
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Writes one record.
  void write(std::initializer_list<Item> items) {
    write(std::span<const Item>(items.begin(), items.size()));
  }
  void write(std::span<const Item> items);

  // Writes `count` empty records.
  void write_empty(int count = 1) {
    for (int i = 0; i < count; ++i) write({});
  }

  // Reads one line into a field of `width` characters; see
  // LineReader::read_field. Throws EndOfInput.
  std::string read_field(std::size_t width) { return lines_.read_field(width); }

  // Hands every record written so far to the sink. Call it before the
  // program ends.
  void deliver() { pending_.deliver(output_); }

  // The records not yet delivered, for the handlers that end the program.
  PendingOutput& pending() { return pending_; }

 private:
  // The source as the line reader sees it: whatever is pending goes out
  // before each read.
  class DeliverBeforeRead : public ByteSource {
   public:
    DeliverBeforeRead(Console& console, ByteSource& input)
        : console_(console), input_(input) {}
    std::size_t read(char* buffer, std::size_t size) override {
      console_.deliver();
      return input_.read(buffer, size);
    }

   private:
    Console& console_;
    ByteSource& input_;
  };

  DeliverBeforeRead before_read_;
  LineReader lines_;
  Sink& output_;
  PendingOutput pending_;
  std::string record_;  // Reused, so that a record costs no allocation.
};

}  // namespace tessan

#endif  // TESSAN_CONSOLE_CONSOLE_H_
