// Tessan: a console game of propositional logic for one player.
#include "app/clock_random.h"
#include "app/session.h"
#include "console/console.h"
#include "platform/platform.h"

int main() {
  using namespace tessan;
  // Static, so that the handlers can still reach it while the program ends.
  static Console console(platform::standard_input(),
                         platform::standard_output());
  platform::install_signal_handlers(console.pending());
  SeededRandom random(clock_seed());
  try {
    run_session(console, random);
  } catch (const EndOfInput& end) {
    console.deliver();
    platform::abort_with_message(end_of_input_report(end));
  }
  console.deliver();
  return 0;
}
