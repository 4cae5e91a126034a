// CDelayLoad and CProgramGroup on a simulated machine: the user's file, the
// default file, failed loads, safe saves and the stopped items' data.
#include <gtest/gtest.h>

#include "common/platform/sim/sim_platform.h"
#include "common/platform/sim/sim_world.h"
#include "common/store/delay_load.h"
#include "common/store/program_group.h"
#include "store_test_support.h"

namespace vantrel {
namespace {

using store_test::CrLf;
using store_test::ReadFixture;
using store_test::Visible;

constexpr const char* kFile = "C:\\Program Files\\Vantrel\\Tester\\proggroup.c";
constexpr const char* kBackup = "C:\\Program Files\\Vantrel\\Tester\\proggroup.c.bak";
constexpr const char* kTemporary = "C:\\Program Files\\Vantrel\\Tester\\proggroup.c.tmp";

class StoreDelayLoad : public ::testing::Test {
protected:
  CDelayLoad Store() { return CDelayLoad(platform, tables, host); }
  std::string FileText() const { return world.ReadFile(kFile).value_or("<missing>"); }

  sim::SimWorld world;
  sim::SimPlatform platform{world};
  StoreTables tables;
  std::vector<LanguageEntry> languages{{"English", "en"}, {"Deutsch", "de"}};
  std::vector<std::string> reloadedAs;
  StoreHost host{&languages, [this] { reloadedAs.push_back(tables.Language); },
                 [](int index) { return "message " + std::to_string(index); }};
};

TEST_F(StoreDelayLoad, MissingFileGetsTheDefaults) {
  for (bool english : {true, false}) {
    SCOPED_TRACE(english ? "with English" : "without a language entry");
    sim::SimWorld freshWorld;
    sim::SimPlatform freshPlatform{freshWorld};
    StoreTables fresh;
    std::vector<LanguageEntry> offered = english ? languages : std::vector<LanguageEntry>{};
    ASSERT_TRUE(CDelayLoad(freshPlatform, fresh, StoreHost{&offered, {}, {}}).LoadItems());
    EXPECT_EQ(Visible(freshWorld.ReadFile(kFile).value_or("")),
              Visible(ReadFixture(english ? "default_english.c" : "default_no_language.c")));
    EXPECT_EQ(fresh.ProgramGroups, (std::vector<ProgramGroup>{{"Startup", {ProgramEntry{}}}}));
    EXPECT_EQ(fresh.StartupGroupIndex, 0);
  }
}

TEST_F(StoreDelayLoad, FailedLoadShowsTheMessageAndKeepsTheFileAside) {
  const std::string broken = CrLf(
      {"const CloseType = 0;", "void First()", "{", "     Execute (\"C:\\b.exe\", \"\", 9, \"\");",
       "     Execute (\"C:\\a.exe\", \"\", 1, \"\");", "};", "", "void Second()", "{",
       "     Execute (\"C:\\c.exe\", \"\", 0, \"\");", "}"});
  world.AddFile(kFile, broken);
  world.AddFile(kBackup, "an older copy");
  tables.StartupGroupIndex = 2;
  CDelayLoad store = Store();
  EXPECT_FALSE(store.LoadItems());

  ASSERT_EQ(platform.messageBoxes().size(), 1u);
  EXPECT_EQ(platform.messageBoxes()[0].text, "message 13");
  // Kept as far as read, sorted; no Startup group was read.
  ASSERT_EQ(tables.ProgramGroups.size(), 1u);
  EXPECT_EQ(tables.StartupGroupIndex, kNoIndex);
  EXPECT_FALSE(store.LoadItems()); // the window's refresh: no second box
  EXPECT_EQ(platform.messageBoxes().size(), 1u);

  // The first save keeps the file that failed; later saves leave the copy.
  ASSERT_TRUE(store.WriteItems());
  EXPECT_EQ(world.ReadFile(kBackup), broken);
  store.AddGroup("Later");
  ASSERT_TRUE(CDelayLoad(platform, tables, host).WriteItems());
  EXPECT_EQ(world.ReadFile(kBackup), broken);
}

// 4. Bytes that are not Vantrel's text are never read as a file without
// entries: the tables stay, one box says so, the file is kept as .bak.
TEST_F(StoreDelayLoad, BytesThatAreNotVantrelsTextKeepEverything) {
  const std::string lines =
      CrLf({"void Startup()", "{", "     Execute (\"Notes.lnk\", \"\", 0, \"\");", "}"});
  std::string utf16 = "\xFF\xFE";
  for (char c : lines)
    utf16 += std::string{c, '\0'};
  for (const std::string& bytes :
       {utf16, std::string("\0\0\xFE\xFF", 4), lines + std::string("\0garbage", 8)}) {
    SCOPED_TRACE(::testing::PrintToString(bytes.substr(0, 8)));
    sim::SimWorld machine;
    sim::SimPlatform process(machine);
    machine.AddFile(kFile, bytes);
    StoreTables kept;
    ASSERT_TRUE(CDelayLoad(process, kept, host, "C:\\before.c").LoadItems());
    StoreTables loaded = kept;
    CDelayLoad store(process, loaded, host);
    EXPECT_FALSE(store.LoadItems());
    ASSERT_EQ(process.messageBoxes().size(), 1u);
    EXPECT_EQ(process.messageBoxes()[0].text, "message 14");
    EXPECT_EQ(loaded.ProgramGroups, kept.ProgramGroups);
    ASSERT_TRUE(store.WriteItems());
    EXPECT_EQ(machine.ReadFile(kBackup), bytes);
  }
}

// 5. A file another program holds open is tried again for three seconds,
// then told as such, and never overwritten.
TEST_F(StoreDelayLoad, AFileThatCannotBeReadIsNeverOverwritten) {
  world.AddFile(kFile, CrLf({"void Mine()", "{", "}"}));
  world.LockFile(kFile);
  CDelayLoad store = Store();
  const auto start = world.Now();
  EXPECT_EQ(store.LoadItemsQuietly(), LoadProblem::kHeldOpen);
  EXPECT_EQ(world.Now() - start, 3000u);
  EXPECT_FALSE(store.LoadItems());
  ASSERT_EQ(platform.messageBoxes().size(), 1u);
  EXPECT_EQ(platform.messageBoxes()[0].text, "message 15");
  EXPECT_FALSE(store.WriteItems());
  world.LockFile(kFile, false);
  EXPECT_EQ(FileText(), CrLf({"void Mine()", "{", "}"}));
}

TEST_F(StoreDelayLoad, AFailedSaveLeavesTheOldFile) {
  const std::string old = CrLf({"void Old()", "{", "}"});
  for (sim::SimOp failing : {sim::SimOp::kFileWrite, sim::SimOp::kFileReplace}) {
    SCOPED_TRACE(static_cast<int>(failing));
    world.AddFile(kFile, old);
    CDelayLoad store = Store();
    ASSERT_TRUE(store.LoadItems());
    store.AddGroup("New");
    world.faults = [failing](sim::SimOp op, const std::string&) { return op == failing; };
    EXPECT_FALSE(store.WriteItems());
    world.faults = nullptr;
    EXPECT_EQ(FileText(), old);
    EXPECT_FALSE(world.Exists(kTemporary));
  }
}

TEST_F(StoreDelayLoad, StoppedItemsData) {
  tables.CurrentUserItemsFolder = "C:\\Program Files\\Vantrel\\Vantrel Items\\Current User\\";
  tables.AllUsersItemsFolder = "C:\\Program Files\\Vantrel\\Vantrel Items\\All Users\\";
  tables.StoppedPrograms = {"_STPCU_Tool.lnk", "_STPAU_Mail.lnk", "_REGCU_Agent",
                            "_REGAU_Scanner",  "_REGCU_Nothing",  "plain"};
  world.RegSetString(kHkeyCurrentUser, "Software\\Korvane\\Vantrel\\HKCU", "Agent",
                     "C:\\Tools\\agent.exe -q");
  world.RegSetString(kHkeyLocalMachine, "Software\\Korvane\\Vantrel\\HKLM", "Scanner",
                     "  C:\\Scan\\scan.EXE  ");
  CDelayLoad store = Store();
  std::string text;
  for (const StoreIndex item : {0, 2, 3, 4, -1}) {
    std::string path = "keep", parameters = "keep";
    text +=
        (store.GetStoppedInfo(item, path, parameters) ? "+" : "-") + path + "|" + parameters + " ";
  }
  EXPECT_EQ(text, "+C:\\Program Files\\Vantrel\\Vantrel Items\\Current User\\Tool.lnk|keep "
                  "+C:\\Tools\\agent.exe |-q +C:\\Scan\\scan.EXE| +keep|keep -keep|keep ");
}

TEST_F(StoreDelayLoad, SyncToolWritesItsFileAndVantrelReadsIt) {
  CProgramGroup sync(platform);
  world.AddFile(kFile, "the user's old file");
  sync.ResetGroups();
  const StoreIndex startup = sync.AddGroup("Startup");
  ASSERT_TRUE(sync.AddProgramToGroup(startup, "Execute", "Tool.lnk", "", 0, ""));
  ASSERT_TRUE(sync.AddProgramToGroup(startup, "ExecuteRegAU",
                                     "\"C:\\Program Files\\Agent\\agent.exe\"", "-q", 0, "Agent"));
  ASSERT_TRUE(sync.WriteItems());
  EXPECT_EQ(Visible(FileText()), Visible(ReadFixture("sync_two_items.c")));

  tables.Language = "de";
  CDelayLoad store = Store();
  ASSERT_TRUE(store.LoadItems());
  EXPECT_EQ(tables.Language, "en"); // "en" is no display name
  EXPECT_TRUE(store.AreAllUserDelays());
}

} // namespace
} // namespace vantrel
