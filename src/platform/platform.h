// What the program needs from the system it runs on: its standard streams,
// the handling of signals and the abnormal end, and the clock. Nothing else
// in the program calls the system.
//
// This header is the whole contract, with console/streams.h, which declares
// the two streams it hands out. Each platform implements it in a folder of
// its own beside this header (posix/, windows/, web/), and the build compiles
// the one folder that matches the target.
#ifndef TESSAN_PLATFORM_PLATFORM_H_
#define TESSAN_PLATFORM_PLATFORM_H_

#include <cstdint>
#include <string_view>

#include "console/pending_output.h"
#include "console/streams.h"

namespace tessan::platform {

// Returns standard input as a byte source. A read waits until at least one
// byte is there, also where another program left the stream non-blocking,
// and returns 0 at end of input and on a read error, which count the same.
ByteSource& standard_input();

// Returns standard output as a sink. A write hands over all of its bytes,
// retrying after interruptions and partial writes, each line ending in the
// platform's line end; a write that fails drops its bytes without a word.
Sink& standard_output();

// Installs, for the whole run, the handlers that end the program: an
// interrupt writes "Interrupt" and a termination request "Killed" on
// standard error and exit with status 1; a floating-point exception writes
// "Floating Exception" and an abort signal "IOT Trap", then the program ends
// abnormally. Each first delivers what it takes from `pending`, so that the
// records written before the ending come before its message, once. An
// interrupt that was ignored when the program started stays ignored, and a
// write to a pipe without a reader fails instead of ending the program.
void install_signal_handlers(PendingOutput& pending);

// Writes `message` on standard error and ends the program abnormally (an
// abort), adding nothing of its own and running no handler. Standard output
// must have been delivered before.
[[noreturn]] void abort_with_message(std::string_view message);

// Returns the current time in whole seconds since 1970-01-01 UTC.
std::int64_t seconds_since_epoch();

}  // namespace tessan::platform

#endif  // TESSAN_PLATFORM_PLATFORM_H_
