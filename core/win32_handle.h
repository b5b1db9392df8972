// One-line owners for Win32 handles, each with its own invalid value. Windows-only code includes this.
#pragma once

#include <windows.h>

#include <utility>

namespace win32 {

template <HANDLE (*Invalid)()>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) : handle_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(std::exchange(other.handle_, Invalid()));
    return *this;
  }
  ~UniqueHandle() { reset(); }

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != Invalid() && handle_ != nullptr; }
  void reset(HANDLE h = Invalid()) {
    if (valid()) CloseHandle(handle_);
    handle_ = h;
  }
  HANDLE release() { return std::exchange(handle_, Invalid()); }

 private:
  HANDLE handle_ = Invalid();
};

inline HANDLE invalidFileHandle() { return INVALID_HANDLE_VALUE; }
inline HANDLE nullHandle() { return nullptr; }

using UniqueFile = UniqueHandle<invalidFileHandle>;  // CreateFileW fails with INVALID_HANDLE_VALUE
using UniqueObject = UniqueHandle<nullHandle>;       // processes, threads, events fail with null

}  // namespace win32
