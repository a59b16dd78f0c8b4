#pragma once

#include <utility>

#include "platform/win32/windows_api.h"

namespace platform::win32 {

// Owns one handle and releases it once with Deleter. Move-only: copying would release it twice.
// Both null and INVALID_HANDLE_VALUE mean "no handle", since the API uses either for failure
// depending on the call.
template <class Handle, class Deleter>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(Handle handle) : handle_(handle) {}
  UniqueResource(UniqueResource&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  ~UniqueResource() { Reset(); }

  bool IsValid() const {
    return handle_ != nullptr && reinterpret_cast<HANDLE>(handle_) != INVALID_HANDLE_VALUE;
  }
  explicit operator bool() const { return IsValid(); }
  Handle Get() const { return handle_; }
  void Reset(Handle handle = nullptr) {
    if (IsValid()) Deleter{}(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

struct CloseHandleDeleter {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct FindCloseDeleter {
  void operator()(HANDLE handle) const { FindClose(handle); }
};
struct FreeLibraryDeleter {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
struct ScreenDcDeleter {
  void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};

// A kernel object (process, file, mutex, snapshot).
using UniqueHandle = UniqueResource<HANDLE, CloseHandleDeleter>;
// A directory search of FindFirstFileA.
using UniqueFind = UniqueResource<HANDLE, FindCloseDeleter>;
// A loaded library.
using UniqueModule = UniqueResource<HMODULE, FreeLibraryDeleter>;
// The screen's device context of GetDC(nullptr).
using ScreenDc = UniqueResource<HDC, ScreenDcDeleter>;

}  // namespace platform::win32
