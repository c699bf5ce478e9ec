#pragma once
// An open process handle, closed when it goes out of scope.

#include <utility>

#include "platform/kernel32_calls.h"

namespace quellix {

class ProcessHandle {
 public:
  explicit ProcessHandle(HANDLE handle) : handle_(handle) {}
  ~ProcessHandle() {
    if (handle_) os::CloseHandle(handle_);
  }
  ProcessHandle(ProcessHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  ProcessHandle& operator=(ProcessHandle&&) = delete;
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_;
};

}  // namespace quellix
