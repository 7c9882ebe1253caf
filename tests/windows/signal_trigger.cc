// Installs the game's handlers, writes a few records through a console on
// standard output and raises the signal named by its argument (TERM, FPE or
// ABRT), for the checks of the Windows build: what each ending writes, in
// which order, and its exit status. A Windows program cannot be sent these
// signals from outside, so it raises them itself.
#include <csignal>
#include <cstring>

#include "console/console.h"
#include "platform/platform.h"

namespace {

struct Trigger {
  const char* name;
  int signal_number;
};

constexpr Trigger kTriggers[] = {
    {"TERM", SIGTERM}, {"FPE", SIGFPE}, {"ABRT", SIGABRT}};

}  // namespace

int main(int argc, char** argv) {
  using namespace tessan;
  static Console console(platform::standard_input(),
                         platform::standard_output());
  platform::install_signal_handlers(console.pending());
  // Left pending: the handler delivers them before its message.
  console.write({text("records")});
  console.write({text("before the"), truth(true), integer(-3)});
  console.write({});
  console.write({text("message")});
  for (const Trigger& trigger : kTriggers) {
    if (argc == 2 && std::strcmp(argv[1], trigger.name) == 0) {
      (void)std::raise(trigger.signal_number);
    }
  }
  console.deliver();
  return 2;  // No such signal, or its handler returned.
}
