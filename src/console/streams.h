// The two streams the program talks through: bytes in from standard input
// and bytes out to standard output. The console reads and writes them, and
// each platform provides them.
#ifndef TESSAN_CONSOLE_STREAMS_H_
#define TESSAN_CONSOLE_STREAMS_H_

#include <cstddef>
#include <string_view>

namespace tessan {

// Where standard input comes from.
class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // Reads up to `size` bytes into `buffer` and returns how many it read;
  // returns 0 at end of input and on a read error, which count the same.
  virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

// Where standard output goes.
class Sink {
 public:
  virtual ~Sink() = default;

  // Delivers `bytes` at once. Failures are ignored: output is a courtesy to
  // whoever reads it, and the program goes on without a reader.
  virtual void write(std::string_view bytes) = 0;
};

}  // namespace tessan

#endif  // TESSAN_CONSOLE_STREAMS_H_
