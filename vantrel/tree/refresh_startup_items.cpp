#include "vantrel/tree/refresh_startup_items.h"

#include <exception>
#include <string>

#include "common/dir_struct.h"
#include "common/event_log.h"
#include "common/registry.h"
#include "common/store/unrecorded_items.h"
#include "vantrel/login/run_at_login.h"
#include "vantrel/tree/found_items_branch.h"
#include "vantrel/tree/known_programs.h"
#include "vantrel/tree/returned_items.h"
#include "vantrel/tree/run_key_listing.h"
#include "vantrel/tree/switched_off_items.h"

namespace vantrel {

namespace {

void ListStartupFolder(CDirStruct& folders, const std::string& path,
                       std::vector<std::string>& files) {
  if (path.empty())
    files.assign(1, std::string());
  else
    folders.ReturnFiles(path, files);
}

} // namespace

StartupItemLists ReadStartupLocations(AppContext& context) {
  context.LookUpStartupFolders();
  StartupItemLists lists;
  CDirStruct folders(context.platform);
  ListStartupFolder(folders, context.CurrentUserStartupFolder, lists.CurrentUserStartupFiles);
  ListStartupFolder(folders, context.AllUsersStartupFolder, lists.AllUsersStartupFiles);
  lists.CurrentUserRunValues = ListRunKey(context.platform, kHkeyCurrentUser);
  lists.AllUsersRunValues = ListRunKey(context.platform, kHkeyLocalMachine);
  ReadRunKey32(context.platform, context.Store, lists);
  return lists;
}

void RefreshStartupItems(AppContext& context, CDelayLoad& store, TreeModel& tree,
                         StartupItemLists& lists, const RefreshProgress& progress) {
  const auto expanded = RememberExpandedCategories(tree);
  const std::string ownValue = OwnRunValueText(context.OwnRunCommand);
  SetRunAtLogin(context, context.Store.StartupType);
  store.LoadItems();
  lists = ReadStartupLocations(context);
  const StartupItemCounts counts = CountStartupItems(lists, ownValue, context.Store);
  BuildStartupTree(tree, lists, counts, ownValue, context.Store, progress);
  AddFoundItemsBranch(tree, store::FindUnrecordedItems(context.platform, context.Store));
  MarkReturnedItems(tree, FindReturnedItems(context.platform, context.Store, lists));
  items::MarkSwitchedOffItems(context.platform, tree);
  RestoreExpandedCategories(tree, expanded);
  if (progress) {
    progress(100);
    progress(0);
  }
  MarkKnown(tree, context.Text.SafeList);
}

} // namespace vantrel
