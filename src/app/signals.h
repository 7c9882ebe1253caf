// How the program ends on a signal.
#ifndef TESSAN_APP_SIGNALS_H_
#define TESSAN_APP_SIGNALS_H_

#include <string_view>

namespace tessan {

// Installs the handlers for the whole run: an interrupt writes "Interrupt"
// and a termination request "Killed" to standard error and exit with status
// 1; a floating-point exception writes "Floating Exception" and an abort
// signal "IOT Trap", then the process aborts. An interrupt that was ignored
// when the program started stays ignored. SIGPIPE is ignored, so that a
// write to a pipe without a reader simply fails.
void install_signal_handlers();

// Blocks every signal but the abort signal, writes `message` to standard
// error, sets the abort signal back to its default so that no handler adds
// to the message, and aborts. Standard
// output has nothing pending: every record is written as it is made.
// Async-signal-safe.
[[noreturn]] void abort_with_message(std::string_view message);

}  // namespace tessan

#endif  // TESSAN_APP_SIGNALS_H_
