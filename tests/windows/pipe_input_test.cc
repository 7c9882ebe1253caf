// tessan.exe, the program beside this one, with its standard input on a
// pipe that another program has left in non-blocking mode (PIPE_NOWAIT):
// every read of the empty pipe fails at once with ERROR_NO_DATA, which is
// not the end of input. Answers that arrive slowly must all be read.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>

#include "thread.h"

namespace tessan {
namespace {

// Both ends of an anonymous pipe, the child's end inheritable.
struct Pipe {
  HANDLE read = nullptr;
  HANDLE write = nullptr;
};

// Returns a pipe that holds `size` bytes, whose end `child_end` the child
// inherits; both ends are null if it cannot be made.
Pipe make_pipe(DWORD size, HANDLE Pipe::*child_end) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  Pipe pipe;
  if (!::CreatePipe(&pipe.read, &pipe.write, &inherit, size)) return {};
  HANDLE parent_end = child_end == &Pipe::read ? pipe.write : pipe.read;
  ::SetHandleInformation(parent_end, HANDLE_FLAG_INHERIT, 0);
  return pipe;
}

// Returns the path of tessan.exe, which the build puts beside this program.
std::string game_path() {
  char path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1) + "tessan.exe";
}

// Reads `handle` to its end on a thread of its own, so that the child never
// waits for room to write.
class Collector {
 public:
  explicit Collector(HANDLE handle)
      : thread_([this, handle] {
          char buffer[4096];
          DWORD count = 0;
          while (::ReadFile(handle, buffer, sizeof buffer, &count, nullptr) &&
                 count > 0) {
            text_.append(buffer, count);
          }
        }) {}

  // Returns all that was read, once the writing end has closed.
  std::string take() {
    thread_.join();
    return text_;
  }

 private:
  std::string text_;
  Thread thread_;
};

TEST(PipeInputTest, AnswersWrittenSlowlyToANonblockingPipeAreAllRead) {
  constexpr DWORD kPipeSize = 1 << 16;
  const Pipe input = make_pipe(kPipeSize, &Pipe::read);
  const Pipe output = make_pipe(kPipeSize, &Pipe::write);
  const Pipe error = make_pipe(kPipeSize, &Pipe::write);
  ASSERT_TRUE(input.read && output.read && error.read);
  DWORD no_wait = PIPE_READMODE_BYTE | PIPE_NOWAIT;
  ASSERT_TRUE(
      ::SetNamedPipeHandleState(input.read, &no_wait, nullptr, nullptr));

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.read;
  startup.hStdOutput = output.write;
  startup.hStdError = error.write;
  PROCESS_INFORMATION child{};
  std::string command = "tessan.exe";
  ASSERT_TRUE(::CreateProcessA(game_path().c_str(), command.data(), nullptr,
                               nullptr, TRUE, 0, nullptr, nullptr, &startup,
                               &child))
      << game_path();
  ::CloseHandle(input.read);
  ::CloseHandle(output.write);
  ::CloseHandle(error.write);
  Collector out(output.read);
  Collector err(error.read);

  // Each answer comes long after the game has found the pipe empty.
  bool all_written = true;
  for (std::string_view line : {"\n", "p\n", "q\n", "r\n", "s\n", "quit\n"}) {
    ::Sleep(100);
    DWORD written = 0;
    all_written =
        ::WriteFile(input.write, line.data(), static_cast<DWORD>(line.size()),
                    &written, nullptr) != 0;
    if (!all_written) break;
  }
  ::CloseHandle(input.write);
  EXPECT_TRUE(all_written) << "the game stopped reading";

  if (::WaitForSingleObject(child.hProcess, 20000) != WAIT_OBJECT_0) {
    ::TerminateProcess(child.hProcess, 1);
    ADD_FAILURE() << "the game did not end";
  }
  DWORD status = 0;
  ::GetExitCodeProcess(child.hProcess, &status);
  ::CloseHandle(child.hProcess);
  ::CloseHandle(child.hThread);
  const std::string text = out.take();
  EXPECT_EQ(err.take(), "");
  EXPECT_EQ(status, 0U);
  EXPECT_NE(text.find("Let's change s from FALSE to TRUE:"), std::string::npos);
  EXPECT_TRUE(text.ends_with(" AGAIN? (Y/N)\r\n\r\n")) << text;
}

}  // namespace
}  // namespace tessan
