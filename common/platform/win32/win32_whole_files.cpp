// Whole-file access: each call opens the file, acts and closes it again.
#include <algorithm>

#include "common/platform/win32/win32_attribute_rules.h"
#include "common/platform/win32/win32_handles.h"
#include "common/platform/win32/win32_platform.h"

namespace vantrel::win32 {

namespace {

// ReadFile and WriteFile take 32-bit counts; larger files go in chunks.
constexpr DWORD kChunk = 1u << 20;

UniqueFile Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  return UniqueFile(::CreateFileA(path.c_str(), access, share, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Writes all of bytes; a write that stops short is a failure.
bool WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data() + done, want, &written, nullptr) || written != want)
      return false;
    done += written;
  }
  return true;
}

} // namespace

long Win32Platform::ReadWholeFileError(const std::string& path, std::string* bytes) {
  if (ReadWholeFile(path, bytes))
    return win32err::kSuccess;
  const DWORD error = ::GetLastError();
  return error == ERROR_SUCCESS ? win32err::kReadFault : static_cast<long>(error);
}

bool Win32Platform::ReadWholeFile(const std::string& path, std::string* bytes) {
  if (bytes == nullptr)
    return false;
  // Others may append to the file (the log is shared by both programs).
  const UniqueFile file = Open(
      path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
  if (!file.valid())
    return false;
  std::string content;
  LARGE_INTEGER size{};
  std::size_t expected = 0;
  if (::GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
    expected = static_cast<std::size_t>(size.QuadPart);
    content.reserve(expected);
  }
  // Read up to the end as it is now, which may have moved since the size.
  std::string chunk(std::clamp<std::size_t>(expected + 1, 4096, kChunk), '\0');
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr))
      return false;
    if (read == 0)
      break;
    content.append(chunk.data(), read);
  }
  *bytes = std::move(content);
  return true;
}

bool Win32Platform::WriteWholeFile(const std::string& path, const std::string& bytes) {
  if (RefusedByAttributes(path,
                          FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
    return false;
  const UniqueFile file = Open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
  return file.valid() && WriteAll(file.get(), bytes);
}

bool Win32Platform::AppendToFile(const std::string& path, const std::string& bytes) {
  if (RefusedByAttributes(path, FILE_ATTRIBUTE_READONLY))
    return false;
  // With FILE_APPEND_DATA alone every write lands at the current end, also
  // when another process appends to the same file in between.
  const UniqueFile file =
      Open(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS);
  return file.valid() && WriteAll(file.get(), bytes);
}

bool Win32Platform::ReplaceFile(const std::string& from, const std::string& to) {
  if (RefusedByAttributes(to, FILE_ATTRIBUTE_READONLY))
    return false;
  return ::MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32Platform::CopyFile(const std::string& from, const std::string& to) {
  if (RefusedByAttributes(to, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN))
    return false;
  return ::CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool Win32Platform::DeleteFile(const std::string& path) {
  return ::DeleteFileA(path.c_str()) != FALSE;
}

} // namespace vantrel::win32
