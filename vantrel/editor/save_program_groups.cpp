#include "vantrel/editor/save_program_groups.h"

#include <string>

#include "common/event_log.h"

namespace vantrel {

bool SaveProgramGroups(AppContext& context, WindowHandle owner, std::string_view operation) {
  CDelayLoad store = context.NewDelayLoad();
  if (store.WriteItems())
    return true;
  WriteLog(context.platform,
           std::string(operation) + " error: " + store.FilePath() + " could not be written",
           LogError);
  context.platform.MessageBox(owner, context.Message(kSaveFailedMessage), kProgramTitle,
                              kMbOk | kMbIconExclamation);
  return false;
}

} // namespace vantrel
