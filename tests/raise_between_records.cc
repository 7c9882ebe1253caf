// A program for the end-to-end tests, on Linux and under Wine: the game's
// console on the real standard streams, with the platform's handlers
// installed, writes the first records of a board and then raises the signal
// named by its argument (INT, TERM, FPE or ABRT), as if it had arrived while
// the board was being built; a Windows program cannot be sent these signals
// from outside. Those records must come out before the signal's message.
#include <csignal>
#include <string_view>

#include "console/console.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  using namespace tessan;
  static Console console(platform::standard_input(),
                         platform::standard_output());
  platform::install_signal_handlers(console.pending());
  console.write_empty();
  console.write({text("p ="), truth(false), text("           q ="), truth(true),
                 text("           r ="), truth(false), text("            s ="),
                 truth(false)});
  console.write_empty();

  const std::string_view name = argc > 1 ? argv[1] : "";
  const int signal_number = name == "INT"    ? SIGINT
                            : name == "TERM" ? SIGTERM
                            : name == "FPE"  ? SIGFPE
                            : name == "ABRT" ? SIGABRT
                                             : 0;
  if (signal_number != 0) (void)std::raise(signal_number);
  console.write({text("not reached")});
  console.deliver();
  return 0;
}
