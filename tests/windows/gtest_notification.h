// GoogleTest's Notification, made of a Windows event. GoogleTest's own is
// made of std::mutex and std::condition_variable, which the toolchain's C++
// library, whose locks and threads are the system's, does not have. Forced
// into every file that includes GoogleTest; the rest of GoogleTest's locking
// on Windows is the system's already.
#ifndef TESSAN_TESTS_WINDOWS_GTEST_NOTIFICATION_H_
#define TESSAN_TESTS_WINDOWS_GTEST_NOTIFICATION_H_

#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

// Lets threads wait until another thread notifies them, once.
class Notification {
 public:
  Notification() : event_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  ~Notification() { ::CloseHandle(event_); }

  void Notify() { ::SetEvent(event_); }
  void WaitForNotification() { ::WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal

#endif  // TESSAN_TESTS_WINDOWS_GTEST_NOTIFICATION_H_
