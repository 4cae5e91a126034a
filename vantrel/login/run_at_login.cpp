#include "vantrel/login/run_at_login.h"

#include <string>

#include "common/registry.h"

namespace vantrel {

namespace {

class OwnRunValues {
public:
  explicit OwnRunValues(AppContext& context)
      : registry_(context.platform), command_(context.OwnRunCommand),
        currentUser_(Read(kHkeyCurrentUser)), machine_(Read(kHkeyLocalMachine)) {}

  bool AnyPresent() const { return !currentUser_.empty() || !machine_.empty(); }

  void Apply(std::int32_t startupType) {
    switch (startupType) {
    case 0:
      Remove(kHkeyCurrentUser, currentUser_);
      Remove(kHkeyLocalMachine, machine_);
      break;
    case 2:
      Remove(kHkeyLocalMachine, machine_);
      AddUnlessPresent(kHkeyCurrentUser, currentUser_);
      break;
    case 3:
      Remove(kHkeyCurrentUser, currentUser_);
      AddUnlessPresent(kHkeyLocalMachine, machine_);
      break;
    default:
      break;
    }
  }

private:
  std::string Read(RegKey root) {
    return registry_.GetSettingString(root, kRunKeyPath, kOwnRunValueName);
  }
  void Remove(RegKey root, const std::string& present) {
    if (!present.empty())
      registry_.DeleteValue(root, kRunKeyPath, kOwnRunValueName);
  }
  void AddUnlessPresent(RegKey root, const std::string& present) {
    if (present.empty())
      registry_.SaveSettingString(root, kRunKeyPath, kOwnRunValueName, command_);
  }

  CRegistry registry_;
  const std::string command_;
  const std::string currentUser_;
  const std::string machine_;
};

} // namespace

void SetRunAtLogin(AppContext& context, std::int32_t startupType) {
  // Tables that did not come from the file say nothing about delayed items
  // (or the startup type): Tarrow stays as it is.
  if (context.Store.LastLoadFailed)
    return;
  OwnRunValues values(context);
  if (startupType != 1) {
    values.Apply(startupType);
    return;
  }
  const CDelayLoad store = context.NewDelayLoad();
  if (store.AreAllUserDelays())
    values.Apply(3);
  else if (store.AreUserDelays())
    values.Apply(2);
  else if (values.AnyPresent())
    values.Apply(0);
}

} // namespace vantrel
