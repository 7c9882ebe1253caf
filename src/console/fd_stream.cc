#include "console/fd_stream.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace tessan {

namespace {

// Waits until `fd` is ready for `events`; used when a descriptor that we
// share with another program was left in non-blocking mode.
void wait_for(int fd, short events) {
  pollfd ready{fd, events, 0};
  while (::poll(&ready, 1, -1) < 0 && errno == EINTR) {
  }
}

}  // namespace

std::size_t FdSource::read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t count = ::read(fd_, buffer, size);
    if (count >= 0) return static_cast<std::size_t>(count);
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      wait_for(fd_, POLLIN);
    } else if (errno != EINTR) {
      return 0;
    }
  }
}

void FdSink::write(std::string_view bytes) { write_all(fd_, bytes); }

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count >= 0) {
      bytes.remove_prefix(static_cast<std::size_t>(count));
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      wait_for(fd, POLLOUT);
    } else if (errno != EINTR) {
      return false;
    }
  }
  return true;
}

}  // namespace tessan
