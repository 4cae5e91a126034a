#include "common/platform/sim/sim_path.h"

#include "common/platform/sim/sim_names.h"

namespace vantrel::sim {

namespace {

bool HasDrive(std::string_view path) {
  if (path.size() < 2 || path[1] != ':')
    return false;
  const char c = path[0];
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void AddComponents(std::string_view rest, std::vector<std::string>& parts) {
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find('\\', start);
    if (end == std::string_view::npos)
      end = rest.size();
    const std::string_view part = rest.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty())
        parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.emplace_back(part);
    }
    start = end + 1;
  }
}

} // namespace

const std::string& SimPath::name() const {
  static const std::string kEmpty;
  return parts.empty() ? kEmpty : parts.back();
}

SimPath SimPath::parent() const {
  SimPath result = *this;
  result.trailingSeparator = false;
  if (!result.parts.empty())
    result.parts.pop_back();
  return result;
}

SimPath SimPath::child(const std::string& childName) const {
  SimPath result = *this;
  result.trailingSeparator = false;
  result.parts.push_back(childName);
  return result;
}

std::string SimPath::str() const {
  std::string text = drive + "\\";
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0)
      text += '\\';
    text += parts[i];
  }
  return text;
}

SimPath ParseSimPath(std::string_view rawPath, std::string_view currentDirectory) {
  std::string path(rawPath);
  for (char& c : path) {
    if (c == '/')
      c = '\\';
  }
  SimPath result;
  // UNC and device paths do not exist on the simulated machine.
  if (path.empty() || path.rfind("\\\\", 0) == 0 || path.find('\0') != std::string::npos)
    return result;

  SimPath base;
  std::string_view rest = path;
  if (HasDrive(path)) {
    base.drive = {static_cast<char>(FoldCase(path[0])), ':'};
    rest = rest.substr(2);
    if (rest.empty() || rest[0] != '\\') { // "C:name": relative to that drive's directory
      const SimPath cwd =
          HasDrive(currentDirectory) ? ParseSimPath(currentDirectory, "") : SimPath{};
      if (cwd.valid && cwd.drive == base.drive)
        base = cwd;
    }
  } else {
    if (!HasDrive(currentDirectory))
      return result;
    base = ParseSimPath(currentDirectory, "");
    if (rest[0] == '\\')
      base.parts.clear();
  }
  result.drive = base.drive;
  result.parts = base.parts;
  AddComponents(rest, result.parts);
  result.trailingSeparator = path.back() == '\\';
  result.valid = true;
  return result;
}

bool SamePath(const SimPath& a, const SimPath& b) {
  return a.parts.size() == b.parts.size() && IsWithin(a, b);
}

bool IsWithin(const SimPath& inner, const SimPath& outer) {
  if (!NamesEqual(inner.drive, outer.drive) || inner.parts.size() < outer.parts.size())
    return false;
  for (std::size_t i = 0; i < outer.parts.size(); ++i) {
    if (!NamesEqual(inner.parts[i], outer.parts[i]))
      return false;
  }
  return true;
}

bool ValidEntryName(std::string_view name) {
  if (name.empty() || name.size() > 255 || name == "." || name == "..")
    return false;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 32 ||
        std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
      return false;
  }
  return true;
}

} // namespace vantrel::sim
