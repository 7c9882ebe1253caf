#include "app/signals.h"

#include <signal.h>
#include <unistd.h>

#include <cstdlib>

#include "console/fd_stream.h"

namespace tessan {

namespace {

// The handlers end the process themselves rather than set a flag for later:
// a flag set just before a read starts would not be seen until the player
// answers.
void on_interrupt(int) {
  write_all(STDERR_FILENO, "Interrupt\n");
  _exit(1);
}

void on_termination(int) {
  write_all(STDERR_FILENO, "Killed\n");
  _exit(1);
}

void on_floating_point_exception(int) {
  abort_with_message("Floating Exception\n");
}

void on_abort(int) { abort_with_message("IOT Trap\n"); }

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

void install_signal_handlers() {
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

}  // namespace tessan
