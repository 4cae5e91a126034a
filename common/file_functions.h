// CFileFunctions: moves and deletes files through the
// shell's file operation, with the shell's rules for confirmations.
#pragma once

#include <cstdint>
#include <string>

#include "common/platform/platform.h"

namespace vantrel {

class CFileFunctions {
public:
  explicit CFileFunctions(Platform& platform) : platform_(platform) {}

  int DeleteFile(const std::string& path, WindowHandle hwnd, const std::string& title,
                 std::uint32_t flags);
  int MoveFile(const std::string& source, const std::string& destination, WindowHandle hwnd,
               const std::string& title, std::uint32_t flags);

private:
  int FileOperation(std::uint32_t operation, const std::string& source,
                    const std::string& destination, WindowHandle hwnd, const std::string& title,
                    std::uint32_t flags);

  Platform& platform_;
};

} // namespace vantrel
