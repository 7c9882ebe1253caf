// The platform on Windows: the standard handles, a console control handler
// for Ctrl+C and the console's close, the C runtime's signals for the rest,
// TerminateProcess for every abnormal end, and the clock.
#include "platform/platform.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <mutex>  // std::lock_guard alone: the lock is the system's.

#include "platform/windows/console_input.h"
#include "platform/windows/ending.h"
#include "platform/windows/line_ends.h"

namespace tessan::platform {

namespace {

// The status of the C runtime's abort(), which the abnormal ends keep; its
// abort() itself is not used, as it may add a text or a dialog of its own.
constexpr UINT kAbnormalStatus = 3;
constexpr UINT kInterruptStatus = 1;

// How long a handler beside the game waits for a delivery under way.
constexpr std::chrono::milliseconds kDeliveryPatience{2000};

// Room for a whole delivery, every byte of it a line feed.
using DeliveryBuffer = std::array<char, 2 * PendingOutput::kCapacity>;

// Writes all of `bytes` to `handle`, retrying after partial writes; gives
// up silently on a failure, such as a pipe without a reader.
void write_all(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD size =
        static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 0x40000000));
    if (!::WriteFile(handle, bytes.data(), size, &written, nullptr)) return;
    // A pipe left in non-blocking mode takes nothing while it is full.
    if (written == 0) ::Sleep(1);
    bytes.remove_prefix(written);
  }
}

// Writes `text` to `handle` with Windows line ends, translated through
// `buffer`: one write for all of it wherever it fits. Allocation-free.
void write_text(HANDLE handle, std::string_view text, std::span<char> buffer) {
  while (!text.empty()) {
    const Translated done = with_crlf_line_ends(text, buffer);
    write_all(handle, std::string_view(buffer.data(), done.made));
    text.remove_prefix(done.taken);
  }
}

void write_error(std::string_view message) {
  std::array<char, 512> buffer;
  write_text(::GetStdHandle(STD_ERROR_HANDLE), message, buffer);
}

[[noreturn]] void wait_forever() {
  for (;;) ::Sleep(INFINITE);
}

// TerminateProcess runs no handler, no atexit function and no library
// shutdown, which could wait for a lock that the game's thread holds.
// Everything this program writes has gone out through WriteFile already.
[[noreturn]] void end_process(UINT status) {
  ::TerminateProcess(::GetCurrentProcess(), status);
  wait_forever();  // Until the system has finished the process.
}

// Set when a console handler begins, so that the game's thread can tell an
// interrupted read from the end of input.
std::atomic<bool> handler_begun{false};

// The first ending to claim this is the one that happens; any other waits
// for it to end the process, so that no two messages mix.
std::atomic<bool> ending_claimed{false};

void claim_ending() {
  if (ending_claimed.exchange(true)) wait_forever();
}

// Held by the game's thread while it writes standard output.
OutputLock output_lock;

// What the handlers deliver before their message. Set once, before any
// handler is installed, with the thread that appends to it.
PendingOutput* pending_output = nullptr;
DWORD game_thread = 0;

// Only the one ending that was claimed uses it.
DeliveryBuffer ending_buffer;

void deliver_pending() {
  if (pending_output == nullptr) return;
  std::string_view records;
  if (::GetCurrentThreadId() == game_thread) {
    // A signal raised on the game's thread: the game stands still here.
    records = pending_output->take_for_ending();
  } else {
    records = take_pending_beside_game(*pending_output, output_lock,
                                       kDeliveryPatience)
                  .records;
  }
  write_text(::GetStdHandle(STD_OUTPUT_HANDLE), records, ending_buffer);
}

// Ends the program for the ending that the caller has claimed.
[[noreturn]] void end_with(std::string_view message, UINT status) {
  deliver_pending();
  write_error(message);
  end_process(status);
}

// Runs on a thread that the system starts for the event. A process that
// started with Ctrl+C ignored (a parent's SetConsoleCtrlHandler(NULL, TRUE),
// or a new process group) is not called for it, and nothing here undoes
// that, so an ignored interrupt stays ignored.
BOOL WINAPI on_console_event(DWORD event) {
  std::string_view message;
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      message = "Interrupt\n";
      break;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      message = "Killed\n";
      break;
    default:
      return FALSE;
  }
  handler_begun.store(true);
  claim_ending();
  end_with(message, kInterruptStatus);
}

void on_termination(int) {
  claim_ending();
  end_with("Killed\n", kInterruptStatus);
}

void on_floating_point_exception(int) {
  claim_ending();
  end_with("Floating Exception\n", kAbnormalStatus);
}

void on_abort(int) {
  claim_ending();
  end_with("IOT Trap\n", kAbnormalStatus);
}

// A normal end must not overtake a handler that has begun on another
// thread, or its message would come with status 0.
void on_normal_exit() { claim_ending(); }

class WindowsConsole final : public ConsoleDevice {
 public:
  explicit WindowsConsole(HANDLE handle) : handle_(handle) {}

  ConsoleRead read(char* buffer, std::size_t size) override {
    // The console refuses reads far beyond the length of a line.
    constexpr std::size_t kMostPerRead = 8192;
    DWORD count = 0;
    ::SetLastError(ERROR_SUCCESS);
    const BOOL read_ok = ::ReadConsoleA(
        handle_, buffer, static_cast<DWORD>(std::min(size, kMostPerRead)),
        &count, nullptr);
    const bool aborted = ::GetLastError() == ERROR_OPERATION_ABORTED;
    return {read_ok ? count : 0, aborted};
  }

  bool ending_under_way(std::chrono::milliseconds patience) override {
    constexpr DWORD kStep = 10;
    for (std::chrono::milliseconds waited(0); !handler_begun.load();
         waited += std::chrono::milliseconds(kStep)) {
      if (waited >= patience) return false;
      ::Sleep(kStep);
    }
    return true;
  }

  [[noreturn]] void wait_for_ending() override { wait_forever(); }

 private:
  HANDLE handle_;
};

class StandardInput final : public ByteSource {
 public:
  StandardInput()
      : handle_(::GetStdHandle(STD_INPUT_HANDLE)),
        console_(handle_),
        console_input_(console_) {
    DWORD mode = 0;
    is_console_ = ::GetConsoleMode(handle_, &mode) != 0;
  }

  std::size_t read(char* buffer, std::size_t size) override {
    if (is_console_) return console_input_.read(buffer, size);
    // A file or a pipe is read as it is: no text mode, which would end
    // input at the byte 0x1A.
    for (;;) {
      DWORD count = 0;
      const DWORD most = static_cast<DWORD>(std::min<std::size_t>(size, 65536));
      if (::ReadFile(handle_, buffer, most, &count, nullptr)) return count;
      // An empty pipe that another program left in non-blocking mode.
      if (::GetLastError() != ERROR_NO_DATA) return 0;
      ::Sleep(1);
    }
  }

 private:
  HANDLE handle_;
  bool is_console_ = false;
  WindowsConsole console_;
  ConsoleInput console_input_;
};

class StandardOutput final : public Sink {
 public:
  void write(std::string_view bytes) override {
    const std::lock_guard<OutputLock> writing(output_lock);
    write_text(::GetStdHandle(STD_OUTPUT_HANDLE), bytes, buffer_);
  }

 private:
  DeliveryBuffer buffer_;
};

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
  game_thread = ::GetCurrentThreadId();
  (void)std::atexit(on_normal_exit);
  (void)::SetConsoleCtrlHandler(on_console_event, TRUE);
  // The C runtime calls these on the thread that raised the signal.
  (void)std::signal(SIGTERM, on_termination);
  (void)std::signal(SIGFPE, on_floating_point_exception);
  (void)std::signal(SIGABRT, on_abort);
}

void abort_with_message(std::string_view message) {
  claim_ending();
  write_error(message);
  end_process(kAbnormalStatus);
}

std::int64_t seconds_since_epoch() { return ::time(nullptr); }

}  // namespace tessan::platform
