// CFileFunctions: moves, copies, renames and deletes files through the
// shell's file operation, with the shell's rules for confirmations.
#pragma once

#include <cstdint>
#include <string>

#include "common/platform/platform.h"

namespace vantrel {

class CFileFunctions {
public:
  explicit CFileFunctions(Platform& platform) : platform_(platform) {}

  int RenameFile(const std::string& FromName, const std::string& ToName, WindowHandle hwnd,
                 const std::string& Title, std::uint32_t fFlags);
  int DeleteFile(const std::string& FileName, WindowHandle hwnd, const std::string& Title,
                 std::uint32_t fFlags);
  int MoveFile(const std::string& Source, const std::string& Destination, WindowHandle hwnd,
               const std::string& Title, std::uint32_t fFlags);
  int CopyFile(const std::string& Source, const std::string& Destination, WindowHandle hwnd,
               const std::string& Title, std::uint32_t fFlags);
  void AddFileToRecentDocs(const std::string& sFile);

private:
  int FileOperation(std::uint32_t operation, const std::string& source,
                    const std::string& destination, WindowHandle hwnd, const std::string& title,
                    std::uint32_t flags);

  Platform& platform_;
};

} // namespace vantrel
