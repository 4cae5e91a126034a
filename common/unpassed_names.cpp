#include "common/unpassed_names.h"

#include "common/program_folder.h"

namespace vantrel {

bool NameNotPassed(std::string_view name) {
  return name.find('?') != std::string_view::npos;
}

std::string NameNotPassedReason() {
  return "Its name holds characters that this version of Windows passes to Vantrel as question "
         "marks. Names in any script need Windows 10 version 1903 or later; on older Windows "
         "only the characters of the system's code page pass.";
}

std::optional<std::string> UnpassedProgramPlaces(Platform& platform) {
  const std::string folder = ProgramFolder(platform);
  if (NameNotPassed(folder))
    return "Vantrel cannot use its program folder " + folder + ". " + NameNotPassedReason();
  std::string user = platform.GetUserName();
  user = user.substr(0, user.find('\0'));
  if (NameNotPassed(user))
    return "Vantrel cannot keep the program groups of the logon name " + user + ". " +
           NameNotPassedReason();
  return std::nullopt;
}

} // namespace vantrel
