// The platform on Linux and other POSIX systems: file descriptors 0, 1 and
// 2, signal handlers, abort() and time().
#include "platform/platform.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace tessan::platform {

namespace {

// Waits until `fd` is ready for `events`; used when a descriptor that we
// share with another program was left in non-blocking mode.
void wait_for(int fd, short events) {
  pollfd ready{fd, events, 0};
  while (::poll(&ready, 1, -1) < 0 && errno == EINTR) {
  }
}

// Writes all of `bytes` to `fd`, retrying after interruptions and partial
// writes; gives up silently on any other failure. Async-signal-safe.
void write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count >= 0) {
      bytes.remove_prefix(static_cast<std::size_t>(count));
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      wait_for(fd, POLLOUT);
    } else if (errno != EINTR) {
      return;
    }
  }
}

class StandardInput final : public ByteSource {
 public:
  std::size_t read(char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t count = ::read(STDIN_FILENO, buffer, size);
      if (count >= 0) return static_cast<std::size_t>(count);
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        wait_for(STDIN_FILENO, POLLIN);
      } else if (errno != EINTR) {
        return 0;  // A closed descriptor, a directory, an I/O error.
      }
    }
  }
};

class StandardOutput final : public Sink {
 public:
  void write(std::string_view bytes) override {
    write_all(STDOUT_FILENO, bytes);
  }
};

// What the handlers deliver before their message. Set once, before any
// handler is installed.
PendingOutput* pending_output = nullptr;

void deliver_pending() {
  if (pending_output != nullptr) {
    write_all(STDOUT_FILENO, pending_output->take_for_ending());
  }
}

// The handlers end the process themselves rather than set a flag for later:
// a flag set just before a read starts would not be seen until the player
// answers. Each delivers the finished records before its message.
[[noreturn]] void exit_with(std::string_view message) {
  deliver_pending();
  write_all(STDERR_FILENO, message);
  _exit(1);
}

[[noreturn]] void abort_with(std::string_view message) {
  deliver_pending();
  abort_with_message(message);
}

void on_interrupt(int) { exit_with("Interrupt\n"); }
void on_termination(int) { exit_with("Killed\n"); }
void on_floating_point_exception(int) { abort_with("Floating Exception\n"); }
void on_abort(int) { abort_with("IOT Trap\n"); }

void handle(int signal_number, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  // A second signal must not add its message to the first one's.
  sigfillset(&action.sa_mask);
  sigaction(signal_number, &action, nullptr);
}

bool ignored_at_start(int signal_number) {
  struct sigaction current {};
  return sigaction(signal_number, nullptr, &current) == 0 &&
         current.sa_handler == SIG_IGN;
}

}  // namespace

ByteSource& standard_input() {
  static StandardInput input;
  return input;
}

Sink& standard_output() {
  static StandardOutput output;
  return output;
}

void install_signal_handlers(PendingOutput& pending) {
  pending_output = &pending;
  if (!ignored_at_start(SIGINT)) handle(SIGINT, on_interrupt);
  handle(SIGTERM, on_termination);
  handle(SIGFPE, on_floating_point_exception);
  handle(SIGABRT, on_abort);
  handle(SIGPIPE, SIG_IGN);
}

void abort_with_message(std::string_view message) {
  // Nothing but the abort itself may interrupt the message.
  sigset_t others;
  sigfillset(&others);
  sigdelset(&others, SIGABRT);
  (void)sigprocmask(SIG_BLOCK, &others, nullptr);
  write_all(STDERR_FILENO, message);
  (void)signal(SIGABRT, SIG_DFL);
  std::abort();
}

std::int64_t seconds_since_epoch() { return ::time(nullptr); }

}  // namespace tessan::platform
