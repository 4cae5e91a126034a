// The shell, process and window calls of a simulated process.
#include "common/platform/sim/sim_platform.h"
#include "common/platform/sim/sim_shell_fileop.h"
#include "common/text_encoding.h"

namespace vantrel::sim {

namespace {

constexpr std::intptr_t kShellExecuteOk = 42;   // anything above 32 means success
constexpr std::intptr_t kSeErrFileNotFound = 2; // SE_ERR_FNF

bool EndsInTwoNuls(const std::string& list) {
  return list.size() >= 2 && list.compare(list.size() - 2, 2, std::string(2, '\0')) == 0;
}

// Addresses go to the browser or the mail program, not to the file system.
bool IsAddress(const std::string& file) {
  return file.find("://") != std::string::npos || file.rfind("mailto:", 0) == 0;
}

} // namespace

int SimPlatform::ShFileOperation(ShFileOpStruct* op) {
  if (op == nullptr)
    return win32err::kInvalidParameter;
  if (!Change()) {
    op->anyOperationsAborted = true;
    return 1223; // ERROR_CANCELLED: the process is gone
  }
  ShFileOpRecord record;
  record.func = op->func;
  record.from = SplitPathList(op->from);
  record.to = SplitPathList(op->to);
  record.flags = op->flags;
  record.title = op->progressTitle;
  record.hwnd = op->hwnd;
  record.listsTerminated = EndsInTwoNuls(op->from) && (op->to.empty() || EndsInTwoNuls(op->to));
  record.atMs = world_.Now();
  record.result = RunShFileOperation(world_.files(), world_.faults, currentDirectory_, op);
  shFileOps_.push_back(record);
  return record.result;
}

bool SimPlatform::Starts(const ShellExecuteRecord& call) const {
  if (call.file.empty() || (shellExecuteFails && shellExecuteFails(call)))
    return false;
  if (!failMissingFiles_ || IsAddress(call.file))
    return true;
  const std::string base = call.directory.empty() ? currentDirectory_ : call.directory;
  return world_.files().Find(ParseSimPath(call.file, base)) != nullptr;
}

bool SimPlatform::ShellExecuteEx(ShellExecuteInfo* info) {
  if (info == nullptr)
    return false;
  ShellExecuteRecord record;
  record.extended = true;
  record.mask = info->mask;
  record.hwnd = info->hwnd;
  record.verb = info->verb;
  record.file = info->file;
  record.parameters = info->parameters;
  record.directory = info->directory;
  record.show = info->show;
  record.atMs = world_.Now();
  record.succeeded = Starts(record);
  info->process = 0;
  if (record.succeeded && (info->mask & kSeeMaskNoCloseProcess) != 0) {
    info->process = world_.NewHandle();
    processHandles_.insert(info->process);
    record.process = info->process;
  }
  shellExecutes_.push_back(record);
  return record.succeeded;
}

std::intptr_t SimPlatform::ShellExecute(WindowHandle hwnd, const std::string& verb,
                                        const std::string& file, const std::string& parameters,
                                        const std::string& directory, int show) {
  ShellExecuteRecord record;
  record.hwnd = hwnd;
  record.verb = verb;
  record.file = file;
  record.parameters = parameters;
  record.directory = directory;
  record.show = show;
  record.atMs = world_.Now();
  record.succeeded = Starts(record);
  shellExecutes_.push_back(record);
  return record.succeeded ? kShellExecuteOk : kSeErrFileNotFound;
}

bool SimPlatform::CloseHandle(ProcessHandle handle) {
  return processHandles_.erase(handle) != 0;
}

bool SimPlatform::GetSpecialFolderPath(int csidl, std::string* path) {
  const auto folder = world_.SpecialFolder(csidl);
  if (path == nullptr || !folder)
    return false;
  *path = *folder;
  return true;
}

bool SimPlatform::CreateNamedMutex(const std::string& name, bool* alreadyExists) {
  // An unnamed mutex is the process's own.
  const bool existed = !name.empty() && world_.AcquireMutex(name, processId_);
  if (alreadyExists != nullptr)
    *alreadyExists = existed;
  return true;
}

std::string SimPlatform::ExpandEnvironmentStrings(const std::string& text) {
  std::string expanded;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find('%', at);
    const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) {
      expanded += text.substr(at);
      break;
    }
    expanded += text.substr(at, open - at);
    const auto variable = world_.environment.find(text.substr(open + 1, close - open - 1));
    if (variable != world_.environment.end()) {
      expanded += variable->second;
      at = close + 1;
    } else {
      // An unknown name stays, and its closing % may open the next one.
      expanded += text.substr(open, close - open);
      at = close;
    }
  }
  return expanded;
}

bool SimPlatform::ActivateWindowByTitle(const std::string& title) {
  return world_.ActivateWindow(title);
}

std::string SimPlatform::LegacyAnsiToUtf8(const std::string& bytes) {
  if (auto text = PortableCodePageToUtf8(world_.LegacyCodePage(), bytes))
    return *std::move(text);
  std::string text;
  for (const char c : bytes)
    text += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : std::string("\xEF\xBF\xBD");
  return text;
}

} // namespace vantrel::sim
