#pragma once
// An owner for one handle of the operating system: released with
// Release::Free when it goes, exactly once, on every path. Move-only.

#include <utility>

namespace quellix {

template <typename Handle, typename Release>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives the handle up without releasing it, to a new owner that will.
  Handle release() { return std::exchange(handle_, nullptr); }
  void Reset() {
    if (handle_) Release::Free(handle_);
    handle_ = nullptr;
  }

 private:
  Handle handle_ = nullptr;
};

}  // namespace quellix
