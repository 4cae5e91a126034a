// Owners for the Win32 handles that Vantrel's Win32 code opens itself, so
// that every path out of a function closes them.
#pragma once

#include <utility>

#include "common/platform/win32/win32_api.h"

namespace vantrel::win32 {

// Holds one handle of a kind described by Traits (its invalid value and how
// to close it) and closes it when dropped.
template <typename Traits> class UniqueHandle {
public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other)
      reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  bool valid() const { return handle_ != Traits::Invalid(); }
  Handle get() const { return handle_; }
  Handle release() { return std::exchange(handle_, Traits::Invalid()); }
  void reset(Handle handle = Traits::Invalid()) {
    if (valid())
      Traits::Close(handle_);
    handle_ = handle;
  }

private:
  Handle handle_ = Traits::Invalid();
};

// CreateFileA answers INVALID_HANDLE_VALUE on failure, not null.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { ::CloseHandle(handle); }
};

// Process, mutex and event handles: null means none.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { ::CloseHandle(handle); }
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { ::FindClose(handle); }
};

struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { ::RegCloseKey(handle); }
};

// Shell item lists made by ILCreateFromPathA.
struct IdListTraits {
  using Handle = PIDLIST_ABSOLUTE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { ::ILFree(handle); }
};

using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueHkey = UniqueHandle<RegKeyTraits>;
using UniqueIdList = UniqueHandle<IdListTraits>;

} // namespace vantrel::win32
