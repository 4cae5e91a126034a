#include "vantrel/tray/tray_menu.h"

#include <algorithm>

#include "common/store/startup_group.h"
#include "common/store/stopped_programs.h"
#include "common/text.h"

namespace vantrel {

namespace {

constexpr std::int32_t kIdBlock = 1000;
// Ids within a block: the block's own entry, then its items from here.
constexpr std::int32_t kFirstItemOffset = 2;
constexpr std::int32_t kOpenOffset = 1;
constexpr std::int32_t kQuitOffset = 2;

std::int32_t NextBlockAbove(std::int32_t id) {
  return (id / kIdBlock + 1) * kIdBlock;
}

TrayMenuEntry Command(std::string text, std::int32_t id) {
  return {TrayMenuEntry::Kind::kCommand, std::move(text), id, {}};
}

TrayMenuEntry Separator() {
  return {TrayMenuEntry::Kind::kSeparator, {}, 0, {}};
}

// A name shown as it is: "&" would otherwise mark an access key.
std::string Literal(std::string_view text) {
  return ReplaceAll(text, "&", "&&");
}

// A stopped entry without its kind prefix, which only Vantrel reads.
std::string_view StoppedName(std::string_view entry) {
  for (const ItemKind kind : {ItemKind::kAllUsersRunValue, ItemKind::kCurrentUserRunValue,
                              ItemKind::kAllUsersShortcut, ItemKind::kCurrentUserShortcut}) {
    const std::string_view prefix = store::StoppedPrefix(kind);
    if (StartsWith(entry, prefix))
      return entry.substr(prefix.size());
  }
  return entry;
}

// A submenu of "Run All", a separator and the items, or a plain entry when
// there are no items. Returns the highest id used.
std::int32_t AddPart(std::vector<TrayMenuEntry>& menu, std::string text, std::int32_t base,
                     std::vector<TrayMenuEntry> items, std::int32_t* runAllId) {
  std::int32_t highest = base;
  for (const TrayMenuEntry& item : items)
    highest = std::max(highest, item.id);
  if (items.empty()) {
    *runAllId = 0;
    menu.push_back(Command(std::move(text), base));
    return highest;
  }
  *runAllId = base;
  TrayMenuEntry part{TrayMenuEntry::Kind::kSubmenu, std::move(text), 0, {}};
  part.children.push_back(Command(std::string(kTrayRunAllText), base));
  part.children.push_back(Separator());
  for (TrayMenuEntry& item : items)
    part.children.push_back(std::move(item));
  menu.push_back(std::move(part));
  return highest;
}

} // namespace

std::string TrayEntryText(std::string_view path) {
  const std::string name = TrimBlanks(FileNameOf(path));
  return name.empty() ? std::string(path) : name;
}

std::vector<TrayMenuEntry> BuildTrayMenu(AppContext& context) {
  std::vector<TrayMenuEntry> menu;
  TrayMenuIds& ids = context.Tray;

  // The group "Startup".
  ProgramGroup* startup = StartupGroup(context.Store);
  const std::int32_t startupBase =
      (std::max<std::int32_t>(context.Store.StartupGroupIndex, 0) + 1) * kIdBlock;
  std::vector<TrayMenuEntry> programs;
  if (startup != nullptr) {
    for (std::size_t k = 0; k < startup->Programs.size(); ++k) {
      ProgramEntry& program = startup->Programs[k];
      program.MenuId = 0;
      if (program.Path.empty())
        continue;
      program.MenuId = startupBase + kFirstItemOffset + static_cast<std::int32_t>(k);
      programs.push_back(Command(Literal(TrayEntryText(program.Path)), program.MenuId));
    }
  }
  const std::string startupText = Literal(startup != nullptr ? startup->Name : kStartupGroupName);
  const std::int32_t lastStartupId =
      AddPart(menu, startupText, startupBase, std::move(programs), &ids.StartupRunAllId);
  menu.push_back(Separator());

  // The stopped programs.
  const std::int32_t stoppedBase = NextBlockAbove(lastStartupId);
  const auto& stopped = context.Store.StoppedPrograms;
  ids.StoppedMenuIds.assign(stopped.size(), 0);
  std::vector<TrayMenuEntry> stoppedItems;
  for (std::size_t j = 0; j < stopped.size(); ++j) {
    if (stopped[j].empty())
      continue;
    ids.StoppedMenuIds[j] = stoppedBase + kFirstItemOffset + static_cast<std::int32_t>(j);
    stoppedItems.push_back(
        Command(Literal(TrayEntryText(StoppedName(stopped[j]))), ids.StoppedMenuIds[j]));
  }
  const std::int32_t lastStoppedId = AddPart(menu, std::string(kTrayStoppedText), stoppedBase,
                                             std::move(stoppedItems), &ids.StoppedRunAllId);

  // Open and quit.
  const std::int32_t fixedBase = NextBlockAbove(lastStoppedId);
  ids.TrayOpenId = fixedBase + kOpenOffset;
  ids.TrayQuitId = fixedBase + kQuitOffset;
  menu.push_back(Separator());
  menu.push_back(Command(std::string(kTrayOpenText), ids.TrayOpenId));
  menu.push_back(Command(std::string(kTrayQuitText), ids.TrayQuitId));
  return menu;
}

} // namespace vantrel
