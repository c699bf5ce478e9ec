#pragma once
// GoogleTest's own customization point, found before its default by the Windows
// build. The Windows tests are built by the same compiler as the program that
// ships, the -win32 MinGW one, whose libstdc++ has no std::mutex or
// std::condition_variable (those would need winpthread, which imports calls
// Windows XP lacks). GoogleTest's Windows port does its own locking with
// critical sections; its one use of the standard types is Notification, given
// here on a Win32 event instead.

#include <windows.h>

namespace testing::internal {

class Notification {
 public:
  Notification() : event_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { ::CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { ::SetEvent(event_); }
  void WaitForNotification() { ::WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal

#define GTEST_HAS_NOTIFICATION_ 1
