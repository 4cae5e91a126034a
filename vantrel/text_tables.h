// The caption and message tables of the current language, the languages on
// offer, the known-program list and the online search address. One
// TextTables lives in the process's context object; the windows read their
// captions from it by index.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "common/store/store_host.h"

namespace vantrel {

// The shared tables have fixed sizes: a caption file with more entries fills
// the table and the rest of the file is ignored.
constexpr std::size_t kMessageCount = 18;
constexpr std::size_t kButtonCount = 9;
constexpr std::size_t kMenuCount = 23;
constexpr std::size_t kToolbarCount = 9;

// One line of data\safelist.dat: a program the main window recognises by
// name, and the one-line description shown as its tool tip.
struct SafeProgram {
  std::string ProgramName;
  std::string Description;
};

struct TextTables {
  std::array<std::string, kMessageCount> Messages;
  std::array<std::string, kButtonCount> Buttons;
  std::array<std::string, kMenuCount> Menus;
  std::array<std::string, kToolbarCount> Toolbar;
  // Both lists start with one empty entry, which the first line of their
  // file fills.
  std::vector<LanguageEntry> Languages{LanguageEntry{}};
  std::vector<SafeProgram> SafeList{SafeProgram{}};
  // The search address; "{SEARCHTERMS}" stands for the encoded words.
  std::string OnlineSearchText;
};

// Indexes into Messages, named after the box that shows them.
namespace message {
constexpr std::size_t kAlreadyRunning = 0;
constexpr std::size_t kMoveRunValuesFailed = 1;
constexpr std::size_t kMoveShortcutsFailed = 2;
constexpr std::size_t kEnterGroupName = 3;
constexpr std::size_t kEnterFileName = 4;
constexpr std::size_t kFileNotFound = 5;
constexpr std::size_t kUnexpectedError = 6;
constexpr std::size_t kConfirmGroupRemove = 10;
constexpr std::size_t kCannotRemoveStartupGroup = 11;
constexpr std::size_t kCannotRemoveStartupProgram = 12;
constexpr std::size_t kReadProgramGroupsFailed = 13;
constexpr std::size_t kProgramGroupsNotText = 14;
constexpr std::size_t kProgramGroupsHeldOpen = 15;
constexpr std::size_t kProgramGroupsUnreadable = 16;
// An item whose switch in Windows' startup settings could not be turned on
// as it was put back.
constexpr std::size_t kSwitchNotTurnedOn = 17;
} // namespace message

// Indexes into Buttons (2 and 4 are loaded but shown nowhere).
namespace button {
constexpr std::size_t kOk = 0;
constexpr std::size_t kCancel = 1;
constexpr std::size_t kAddNew = 3;
constexpr std::size_t kRemove = 5;
constexpr std::size_t kAddGroup = 6;
constexpr std::size_t kSaveEdit = 7;
constexpr std::size_t kEditGroup = 8;
} // namespace button

// Indexes into Menus: the main window's menu items in menu order.
namespace menu {
constexpr std::size_t kFile = 0;
constexpr std::size_t kFileSave = 1;
constexpr std::size_t kFileMinimizeToTray = 2;
constexpr std::size_t kFileExit = 3;
constexpr std::size_t kProgramGroups = 4;
constexpr std::size_t kProgramGroupsModify = 5;
constexpr std::size_t kTools = 6;
constexpr std::size_t kToolsOptions = 7;
constexpr std::size_t kLanguage = 8;
constexpr std::size_t kHelp = 9;
constexpr std::size_t kHelpHelp = 10;
constexpr std::size_t kHelpAbout = 11;
constexpr std::size_t kHelpTips = 12;
constexpr std::size_t kHelpOnline = 13;
constexpr std::size_t kHelpOnlineForums = 14;
constexpr std::size_t kHelpOnlineSupportEmail = 15;
constexpr std::size_t kHelpOnlineMainPage = 16;
constexpr std::size_t kTVDelay = 17;
constexpr std::size_t kTVStop = 18;
constexpr std::size_t kTVRun = 19;
constexpr std::size_t kTVProperties = 20;
constexpr std::size_t kTVSearchOnline = 21;
constexpr std::size_t kTVTakeBack = 22;
} // namespace menu

// Indexes into Toolbar: tool tips of the toolbar buttons, then the status
// bar's second panel.
namespace toolbar {
constexpr std::size_t kSaveTip = 0;
constexpr std::size_t kRefreshTip = 1;
constexpr std::size_t kStopTip = 2;
constexpr std::size_t kDelayTip = 3;
constexpr std::size_t kRunTip = 4;
constexpr std::size_t kPropertiesTip = 5;
constexpr std::size_t kStatusPanel = 6;
// The tool tip of an item that came back to Windows' startup.
constexpr std::size_t kReturnedItemTip = 7;
// The tool tip of an item that Windows' startup settings have switched off.
constexpr std::size_t kSwitchedOffItemTip = 8;
} // namespace toolbar

} // namespace vantrel
