// Threads of the system's for the Windows tests: the toolchain's C++
// library has no std::thread.
#ifndef TESSAN_TESTS_WINDOWS_THREAD_H_
#define TESSAN_TESTS_WINDOWS_THREAD_H_

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <utility>

namespace tessan {

// A thread of the system's that runs `body`, joined at the latest when it
// goes out of scope.
class Thread {
 public:
  explicit Thread(std::function<void()> body) : body_(std::move(body)) {
    handle_ = ::CreateThread(nullptr, 0, &Thread::run, this, 0, nullptr);
    if (handle_ == nullptr) std::abort();
  }
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;
  ~Thread() { join(); }

  void join() {
    if (handle_ == nullptr) return;
    ::WaitForSingleObject(handle_, INFINITE);
    ::CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  static DWORD WINAPI run(void* self) {
    static_cast<Thread*>(self)->body_();
    return 0;
  }

  std::function<void()> body_;
  HANDLE handle_ = nullptr;
};

}  // namespace tessan

#endif  // TESSAN_TESTS_WINDOWS_THREAD_H_
