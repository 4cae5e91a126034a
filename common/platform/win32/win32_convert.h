// Conversions between the seam's integer handles and Win32 handle types.
#pragma once

#include <cstdint>
#include <string>

#include "common/platform/platform.h"
#include "common/platform/win32/win32_api.h"

namespace vantrel::win32 {

// The predefined roots travel as their 32-bit values (0x80000000 and up);
// as HKEYs they are those values sign-extended to pointer width.
inline HKEY ToHkey(RegKey key) {
  constexpr RegKey kFirstPredefined = 0x80000000u; // HKEY_CLASSES_ROOT
  constexpr RegKey kLastPredefined = 0x80000006u;  // HKEY_DYN_DATA
  if (key >= kFirstPredefined && key <= kLastPredefined)
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(key)));
  return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key));
}

inline RegKey FromHkey(HKEY key) {
  return static_cast<RegKey>(reinterpret_cast<std::uintptr_t>(key));
}

// Search, process and window handles are carried as their pointer bits;
// INVALID_HANDLE_VALUE becomes all ones, which is kInvalidFindHandle.
inline HANDLE ToHandle(std::uint64_t handle) {
  return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(handle));
}

inline std::uint64_t FromHandle(HANDLE handle) {
  return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle));
}

inline HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}

// Text from a fixed buffer that the API filled: it ends at the first NUL.
inline std::string CutAtNul(const char* buffer, std::size_t capacity) {
  std::size_t length = 0;
  while (length < capacity && buffer[length] != '\0')
    ++length;
  return std::string(buffer, length);
}

} // namespace vantrel::win32
