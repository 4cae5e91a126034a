// Delaying and putting back real startup items under Wine: a real shortcut
// in the user's Startup folder and a real value in the user's Run key are
// delayed through the item popup menu (the real Win32 menu, chosen by its
// access keys) and put back with Run. The tree is the real refresh's, on
// the real platform; Vantrel's program folder is a scratch folder.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/program_folder.h"
#include "common/store/delay_load.h"
#include "vantrel/app_context.h"
#include "vantrel/check_for_options.h"
#include "vantrel/item_commands.h"
#include "vantrel/refresh_startup_items.h"
#include "vantrel/registry_backup.h"
#include "vantrel/startup_tree.h"
#include "vantrel/win32ui/item_command_services.h"
#include "vantrel/win32ui/item_popup.h"
#include "windows/moves_rig.h"
#include "windows/support/test_window.h"

// The two Win32 pieces of the item commands live in Vantrel.exe; the test
// binary builds them in here.
#include "vantrel/win32ui/item_command_services.cpp"
#include "vantrel/win32ui/item_popup.cpp"

namespace vantrel::testing::moves {
namespace {

namespace st = startup_tree;

constexpr const char* kShortcutName = "Vantrel Moves Test.lnk";
constexpr const char* kValueName = "Vantrel Moves Test";
constexpr const char* kValueData = "\"C:\\Program Files\\Moves Test\\tool.exe\" /q";
constexpr const char* kOwnValue = "Tarrow";

// Access keys of the popup entries, as the test's captions give them.
char AccessKey(ItemPopupEntry entry) {
  switch (entry) {
  case ItemPopupEntry::kDelay:
    return 'd';
  case ItemPopupEntry::kStop:
    return 's';
  case ItemPopupEntry::kRun:
    return 'r';
  case ItemPopupEntry::kProperties:
    return 'p';
  case ItemPopupEntry::kSearchOnline:
    return 'o';
  }
  return 0;
}

// A shortcut made the way Explorer makes one.
bool MakeShortcut(const std::string& linkPath, const std::string& target) {
  static const CLSID kShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  static const IID kIShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  static const IID kIPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkA* link = nullptr;
  if (FAILED(::CoCreateInstance(kShellLink, nullptr, CLSCTX_INPROC_SERVER, kIShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
    if (SUCCEEDED(com))
      ::CoUninitialize();
    return false;
  }
  link->SetPath(target.c_str());
  link->SetArguments("/moves-test");
  IPersistFile* file = nullptr;
  bool saved = false;
  if (SUCCEEDED(link->QueryInterface(kIPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t wide[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
    saved = SUCCEEDED(file->Save(wide, TRUE));
    file->Release();
  }
  link->Release();
  if (SUCCEEDED(com))
    ::CoUninitialize();
  return saved;
}

// The main window as the item commands see it: the real tree refresh and
// toolbar state, and the real popup menu over a real window, in which the
// entry the test wants is chosen by typing its access key.
class WineWindowHost : public MainWindowHost {
public:
  WineWindowHost(AppContext& context, CDelayLoad& store) : context_(context), store_(store) {}

  AppContext& Context() override { return context_; }
  TreeModel& Tree() override { return tree; }
  CDelayLoad& Store() override { return store_; }
  TreeModel::NodeId SelectedNode() const override { return selected; }
  WindowHandle Handle() const override { return reinterpret_cast<WindowHandle>(window.handle()); }
  void RefreshData() override {
    RefreshStartupItems(context_, store_, tree, lists);
    selected = TreeModel::kNoNode;
  }
  void CheckForOptions() override { vantrel::CheckForOptions(context_.platform, tree); }
  void ShowItemTip(const std::string&) override {}
  void ChecksChanged() override {}
  void ShowItemPopup(const ItemPopupState& state) override {
    shownStates.push_back(state);
    // The menu's own loop reads the key from the thread's queue.
    ::PostMessageA(window.handle(), WM_CHAR, static_cast<WPARAM>(AccessKey(wanted)), 0);
    chosen = win32ui::TrackItemPopup(window.handle(), POINT{40, 40},
                                     items::BuildItemPopupMenu(context_.Text, state));
    if (chosen && commands != nullptr)
      commands->ItemPopupCommand(*chosen);
  }

  // The item node with this text under the category; kNoNode if none.
  TreeModel::NodeId Item(std::string_view category, const std::string& text) const {
    const TreeModel::NodeId parent = tree.Find(category);
    if (parent == TreeModel::kNoNode)
      return TreeModel::kNoNode;
    for (const TreeModel::NodeId child : tree.At(parent).children) {
      if (tree.At(child).text == text)
        return child;
    }
    return TreeModel::kNoNode;
  }

  TestWindow window{"Vantrel moves test"};
  TreeModel tree;
  StartupItemLists lists;
  TreeModel::NodeId selected = TreeModel::kNoNode;
  ItemPopupEntry wanted = ItemPopupEntry::kDelay;
  std::optional<ItemPopupEntry> chosen;
  std::vector<ItemPopupState> shownStates;
  MainWindowCommands* commands = nullptr;

private:
  AppContext& context_;
  CDelayLoad& store_;
};

class MovesEndToEnd : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(startupFolder_.empty());
    context_.OwnRunCommand = "\"" + folder_ + "\\Vantrel.exe\" -nogui";
    context_.CurrentUserStartupFolder = startupFolder_;
    context_.AllUsersStartupFolder = GetSpecialFolder(platform_, kCsidlCommonStartup);
    context_.Store.CurrentUserItemsFolder = folder_ + "\\Vantrel Items\\Current User\\";
    context_.Store.AllUsersItemsFolder = folder_ + "\\Vantrel Items\\All Users\\";
    context_.Text.Menus[menu::kTVDelay] = "&Delay";
    context_.Text.Menus[menu::kTVStop] = "&Stop";
    context_.Text.Menus[menu::kTVRun] = "&Run";
    context_.Text.Menus[menu::kTVProperties] = "&Properties";
    context_.Text.Menus[menu::kTVSearchOnline] = "Search &Online";
    SetDefaultTables(context_.Store);
    context_.Store.StartupType = 1;
    ASSERT_TRUE(store_.WriteItems());
    host_.commands = &commands_;
  }
  void TearDown() override { RemoveTree(folder_); }

  // Right-clicks the item and picks the entry in the popup.
  void Choose(std::string_view category, const std::string& text, ItemPopupEntry entry) {
    host_.RefreshData();
    host_.selected = host_.Item(category, text);
    ASSERT_NE(host_.selected, TreeModel::kNoNode) << text;
    host_.wanted = entry;
    host_.chosen.reset();
    commands_.TreeMouseUp(kRightButton);
    ASSERT_EQ(host_.chosen, entry) << "the popup menu gave another entry";
    host_.RefreshData();
  }

  std::string RunValueText() const { return std::string(kValueName) + "=" + kValueData; }
  std::string ShortcutPath() const { return startupFolder_ + "\\" + kShortcutName; }
  std::string DelayedShortcutPath() const {
    return context_.Store.CurrentUserItemsFolder + kShortcutName;
  }

  // Guards first: they give everything back after the test.
  RegValueGuard ownUserValue_{HKEY_CURRENT_USER, kRunKey, kOwnValue};
  RegValueGuard ownMachineValue_{HKEY_LOCAL_MACHINE, kRunKey, kOwnValue};
  RegValueGuard runValue_{HKEY_CURRENT_USER, kRunKey, kValueName};
  CreatedKeysGuard storeKeys_{kUserStore};
  RegValueGuard storedValue_{HKEY_CURRENT_USER, kUserStore, kValueName};
  std::string folder_ = NewScratchFolder();
  ScratchProgramPlatform platform_{folder_};
  std::string startupFolder_ = GetSpecialFolder(platform_, kCsidlStartup);
  FileGuard shortcut_{startupFolder_ + "\\" + kShortcutName};
  AppContext context_{platform_};
  CDelayLoad store_{context_.NewDelayLoad()};
  WineWindowHost host_{context_, store_};
  items::ItemCommands commands_{host_, win32ui::Win32ItemCommandServices()};
};

TEST_F(MovesEndToEnd, DelayFromThePopupThenRun) {
  ASSERT_TRUE(MakeShortcut(ShortcutPath(), "C:\\windows\\notepad.exe"));
  const auto shortcutBytes = ReadFileBytes(ShortcutPath());
  ASSERT_TRUE(shortcutBytes && !shortcutBytes->empty());
  ASSERT_TRUE(WriteRegText(HKEY_CURRENT_USER, kRunKey, kValueName, kValueData));

  // Delay both from the popup.
  Choose(st::kCurrentUserStartup, kShortcutName, ItemPopupEntry::kDelay);
  Choose(st::kCurrentUserRegistry, RunValueText(), ItemPopupEntry::kDelay);
  ASSERT_EQ(host_.shownStates.size(), 2u);
  EXPECT_TRUE(host_.shownStates[0].delay && host_.shownStates[0].stop);
  EXPECT_FALSE(host_.shownStates[0].run);

  EXPECT_FALSE(PathExists(ShortcutPath()));
  EXPECT_EQ(ReadFileBytes(DelayedShortcutPath()), shortcutBytes);
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kRunKey, kValueName), std::nullopt);
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kUserStore, kValueName), kValueData);
  EXPECT_NE(host_.Item(st::kDelayedStartupCurrentUser, kShortcutName), TreeModel::kNoNode);
  EXPECT_NE(host_.Item(st::kDelayedRegistryCurrentUser,
                       std::string(kValueName) + "=\"C:\\Program Files\\Moves Test\\tool.exe\" /q"),
            TreeModel::kNoNode);
  // Startup type 1 with delayed items of the current user: Vantrel starts
  // at this user's login.
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kRunKey, kOwnValue), context_.OwnRunCommand);
  EXPECT_EQ(ReadRegText(HKEY_LOCAL_MACHINE, kRunKey, kOwnValue), std::nullopt);
  // The value was backed up in today's folder, named by the system clock.
  const auto today = win32ui::SystemLocalTime();
  ASSERT_TRUE(today);
  const std::string day = folder_ + "\\Delayed Registry\\" + items::BackupDayFolderName(*today);
  WIN32_FIND_DATAA found{};
  win32::UniqueFind search(::FindFirstFileA((day + "\\*.reg").c_str(), &found));
  ASSERT_TRUE(search.valid()) << day;
  EXPECT_EQ(
      ReadFileBytes(day + "\\" + found.cFileName),
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
      "\"Vantrel Moves Test\"=\"\\\"C:\\\\Program Files\\\\Moves Test\\\\tool.exe\\\" /q\"\r\n");

  // Put both back with Run.
  Choose(st::kDelayedStartupCurrentUser, kShortcutName, ItemPopupEntry::kRun);
  Choose(st::kDelayedRegistryCurrentUser,
         std::string(kValueName) + "=\"C:\\Program Files\\Moves Test\\tool.exe\" /q",
         ItemPopupEntry::kRun);
  EXPECT_EQ(ReadFileBytes(ShortcutPath()), shortcutBytes) << "byte for byte";
  EXPECT_FALSE(PathExists(DelayedShortcutPath()));
  EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kRunKey, kValueName),
            (RegText{REG_SZ, std::string(kValueData) + '\0'}));
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kUserStore, kValueName), std::nullopt);
  EXPECT_EQ(ReadRegText(HKEY_CURRENT_USER, kRunKey, kOwnValue), std::nullopt);
  EXPECT_EQ(ReadRegText(HKEY_LOCAL_MACHINE, kRunKey, kOwnValue), std::nullopt);
  EXPECT_NE(host_.Item(st::kCurrentUserStartup, kShortcutName), TreeModel::kNoNode);
  EXPECT_NE(host_.Item(st::kCurrentUserRegistry, RunValueText()), TreeModel::kNoNode);
  EXPECT_EQ(::IsWindow(host_.window.handle()), TRUE);
}

TEST_F(MovesEndToEnd, ThePopupMenuReturnsNothingWhenDismissed) {
  ::PostMessageA(host_.window.handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  const auto chosen = win32ui::TrackItemPopup(
      host_.window.handle(), POINT{10, 10},
      items::BuildItemPopupMenu(context_.Text, items::PopupStateFor("Stopped Items")));
  EXPECT_EQ(chosen, std::nullopt);
  // A disabled entry cannot be chosen by its key either.
  ::PostMessageA(host_.window.handle(), WM_CHAR, 's', 0);
  ::PostMessageA(host_.window.handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(win32ui::TrackItemPopup(
                host_.window.handle(), POINT{10, 10},
                items::BuildItemPopupMenu(context_.Text, items::PopupStateFor("Stopped Items"))),
            std::nullopt);
}

} // namespace
} // namespace vantrel::testing::moves
