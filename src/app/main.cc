// Tessan: a console game of propositional logic for one player.
#include <unistd.h>

#include "app/clock_random.h"
#include "app/session.h"
#include "app/signals.h"
#include "console/console.h"
#include "console/fd_stream.h"

int main() {
  tessan::install_signal_handlers();
  tessan::SeededRandom random(tessan::clock_seed());
  tessan::FdSource input(STDIN_FILENO);
  tessan::FdSink output(STDOUT_FILENO);
  tessan::Console console(input, output);
  try {
    tessan::run_session(console, random);
  } catch (const tessan::EndOfInput& end) {
    tessan::abort_with_message(tessan::end_of_input_report(end));
  }
  return 0;
}
