// Paths on the simulated machine, parsed the way Win32 normalises them:
// "/" counts as "\", doubled separators collapse, "." and ".." resolve,
// and a relative path hangs off the process's current directory.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel::sim {

// The ANSI calls refuse a path of MAX_PATH (260) characters or more, and a
// new folder whose path leaves no room for an 8.3 name (248 or more).
constexpr std::size_t kMaxPathChars = 259;
constexpr std::size_t kMaxFolderPathChars = 247;

struct SimPath {
  bool valid = false;
  std::string drive;              // "C:"
  std::vector<std::string> parts; // components below the drive's root
  bool trailingSeparator = false;

  bool isRoot() const { return parts.empty(); }
  // The last component, empty for a root.
  const std::string& name() const;
  SimPath parent() const;
  SimPath child(const std::string& name) const;
  // "C:\dir\file", or "C:\" for a root.
  std::string str() const;
};

// currentDirectory must be absolute; it is ignored for absolute paths.
SimPath ParseSimPath(std::string_view path, std::string_view currentDirectory);

// True when inner names outer itself or something below it.
bool IsWithin(const SimPath& inner, const SimPath& outer);
bool SamePath(const SimPath& a, const SimPath& b);

// A name a new file or folder may take: not empty, at most 255 characters,
// none of the characters Windows reserves.
bool ValidEntryName(std::string_view name);

} // namespace vantrel::sim
