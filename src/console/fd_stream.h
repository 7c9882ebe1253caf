// The process's standard streams as a byte source and a sink.
#ifndef TESSAN_CONSOLE_FD_STREAM_H_
#define TESSAN_CONSOLE_FD_STREAM_H_

#include <cstddef>
#include <string_view>

#include "console/console.h"
#include "console/line_reader.h"

namespace tessan {

// Reads a file descriptor with read(2). A read error, a closed descriptor
// and end of file all count as end of input.
class FdSource : public ByteSource {
 public:
  explicit FdSource(int fd) : fd_(fd) {}
  std::size_t read(char* buffer, std::size_t size) override;

 private:
  int fd_;
};

// Writes to a file descriptor with write(2), unbuffered: each write is on
// its way to the reader when it returns. Errors (a closed descriptor, a pipe
// without a reader, a full disk) drop the bytes silently.
class FdSink : public Sink {
 public:
  explicit FdSink(int fd) : fd_(fd) {}
  void write(std::string_view bytes) override;

 private:
  int fd_;
};

// Writes all of `bytes` to `fd`, retrying after interruptions and partial
// writes; returns false on any other failure. Async-signal-safe.
bool write_all(int fd, std::string_view bytes);

}  // namespace tessan

#endif  // TESSAN_CONSOLE_FD_STREAM_H_
