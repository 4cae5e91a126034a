#include "vantrel/app/app_context.h"

#include "common/program_folder.h"
#include "vantrel/text/language_files.h"

namespace vantrel {

AppContext::AppContext(Platform& platformRef)
    : platform(platformRef), ProgramFolder(vantrel::ProgramFolder(platformRef)) {}

StoreHost AppContext::MakeStoreHost() {
  StoreHost host;
  host.Languages = &Text.Languages;
  host.ReloadLanguageFiles = [this] {
    LoadLanguageFiles(platform, ProgramFolder, Store.Language, Text);
  };
  host.Message = [this](int index) {
    return index < 0 ? std::string() : Message(static_cast<std::size_t>(index));
  };
  return host;
}

CDelayLoad AppContext::NewDelayLoad() {
  return CDelayLoad(platform, Store, MakeStoreHost());
}

void AppContext::LookUpStartupFolders() {
  if (!StartupFoldersPending)
    return;
  StartupFoldersPending = false;
  CurrentUserStartupFolder = GetSpecialFolder(platform, kCsidlStartup);
  AllUsersStartupFolder = GetSpecialFolder(platform, kCsidlCommonStartup);
}

std::string AppContext::Message(std::size_t index) const {
  return index < Text.Messages.size() ? Text.Messages[index] : std::string();
}

} // namespace vantrel
