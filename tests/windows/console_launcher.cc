// A program for tests/windows/console, run in a Wine console: it does what
// a command shell does for the game, and lets the check see the console.
//
//   console_launcher NAME PROGRAM [ARGUMENT...]
//
// It names the console's window NAME, for the check to find it, and starts
// PROGRAM in its own console, as a shell would. It survives Ctrl+C itself
// through a handler that only says the event was handled: a handler is not
// passed on to the program, whereas ignoring Ctrl+C with
// SetConsoleCtrlHandler(NULL, TRUE) would be. While the program runs it
// keeps NAME.screen, in the current folder, up to date with the console's
// rows, from the first to the cursor's, trailing blanks cut, so that the
// check can wait for a prompt before it types. When the program has ended it
// writes NAME.screen a last time and then NAME.status, the program's exit
// status in decimal. Each file is written beside itself and renamed into
// place, so it is never seen half written; NAME.status comes last, so once
// it is there NAME.screen is final. Its own status is 0, or 2 if it could
// not do all this.
#include <windows.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace {

// Rows of the console's buffer: enough for the banner, the rules and a
// whole game, so that nothing the check looks for scrolls away.
constexpr SHORT kBufferRows = 2000;

// How often the screen is looked at while the program runs.
constexpr DWORD kPollMilliseconds = 20;

BOOL WINAPI survive(DWORD /*event*/) { return TRUE; }

// Writes `text` to `path` through a file beside it, renamed into place.
bool write_file(const std::string& path, const std::string& text) {
  const std::string part = path + ".part";
  const HANDLE file =
      ::CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL wrote = ::WriteFile(
      file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
  return wrote && written == text.size() &&
         ::MoveFileExA(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// The console's rows from the first to the cursor's, each without its
// trailing blanks and ended by a line feed.
std::string console_rows(HANDLE console) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!::GetConsoleScreenBufferInfo(console, &info)) return {};
  const SHORT width = info.dwSize.X;
  std::vector<char> row(static_cast<std::size_t>(width));
  std::string rows;
  for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
    DWORD count = 0;
    if (!::ReadConsoleOutputCharacterA(console, row.data(),
                                       static_cast<DWORD>(width), COORD{0, y},
                                       &count)) {
      count = 0;
    }
    while (count > 0 && row[count - 1] == ' ') --count;
    rows.append(row.data(), count);
    rows += '\n';
  }
  return rows;
}

// The command line that gives a program these arguments, each quoted. The
// arguments here hold no quotes or trailing backslashes.
std::string command_line(int argc, char** argv) {
  std::string line;
  for (int i = 0; i < argc; ++i) {
    if (i > 0) line += ' ';
    line += '"';
    line += argv[i];
    line += '"';
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string name = argv[1];
  const std::string screen_path = name + ".screen";
  const std::string status_path = name + ".status";

  const HANDLE console = ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) return 2;
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!::GetConsoleScreenBufferInfo(console, &info) ||
      !::SetConsoleScreenBufferSize(console,
                                    COORD{info.dwSize.X, kBufferRows})) {
    return 2;
  }
  if (!::SetConsoleCtrlHandler(survive, TRUE) ||
      !::SetConsoleTitleA(name.c_str())) {
    return 2;
  }

  std::string line = command_line(argc - 2, argv + 2);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0,
                        nullptr, nullptr, &startup, &process)) {
    return 2;
  }
  ::CloseHandle(process.hThread);

  std::string shown;
  for (;;) {
    const DWORD waited =
        ::WaitForSingleObject(process.hProcess, kPollMilliseconds);
    std::string rows = console_rows(console);
    if (rows != shown && write_file(screen_path, rows)) shown = std::move(rows);
    if (waited != WAIT_TIMEOUT) break;
  }
  DWORD status = 0;
  if (!::GetExitCodeProcess(process.hProcess, &status)) return 2;
  if (!write_file(screen_path, console_rows(console)) ||
      !write_file(status_path, std::to_string(status) + "\n")) {
    return 2;
  }
  return 0;
}
