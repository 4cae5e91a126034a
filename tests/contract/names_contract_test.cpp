// Names in every script: registry keys, value names and data, file and
// folder names, the shell's moves of shortcuts, and the special folders of
// the logon name, as UTF-8 through the 8-bit calls. Names are found
// without regard to case wherever their script has case.
#include "common/dir_struct.h"
#include "common/file_functions.h"
#include "common/registry.h"
#include "common/text_encoding.h"
#include "contract/contract_fixture.h"

namespace vantrel::testing {
namespace {

using NamesContract = ContractTest;

struct ScriptName {
  const char* script;
  std::string name;
  std::string otherCase; // the same name as the user may type it
};

const std::vector<ScriptName>& Names() {
  static const std::vector<ScriptName> names = {
      {"CJK", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"},
      {"Cyrillic", "\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB", "\xD0\xA4\xD0\x90\xD0\x99\xD0\x9B"},
      {"accented Latin", "Caf\xC3\xA9 M\xC3\xBCller", "CAF\xC3\x89 M\xC3\x9CLLER"},
  };
  return names;
}

TEST_F(NamesContract, RegistryKeysValueNamesAndDataInEveryScript) {
  CRegistry registry(platform());
  for (const ScriptName& n : Names()) {
    SCOPED_TRACE(n.script);
    const std::string path = key(n.name);
    const std::string data = "C:\\" + n.name + "\\rec.exe " + n.name;
    registry.CreateKey(kHkeyCurrentUser, path);
    registry.SaveSettingString(kHkeyCurrentUser, path, n.name, data);
    EXPECT_EQ(data, registry.GetSettingString(kHkeyCurrentUser, key(n.otherCase), n.otherCase));

    std::vector<std::string> entries;
    ASSERT_TRUE(registry.EnumKey(kHkeyCurrentUser, path, entries));
    EXPECT_EQ(std::vector<std::string>{n.name + "=" + data}, entries);
    // The name's length comes back in bytes, which the buffer must hold.
    RegKey handle = 0;
    ASSERT_EQ(win32err::kSuccess, platform().RegOpenKey(kHkeyCurrentUser, path, &handle));
    char name[64] = {};
    std::uint32_t nameChars = sizeof name;
    EXPECT_EQ(win32err::kSuccess,
              platform().RegEnumValue(handle, 0, name, &nameChars, nullptr, nullptr, nullptr));
    EXPECT_EQ(n.name, std::string(name, nameChars));
    platform().RegCloseKey(handle);

    registry.DeleteValue(kHkeyCurrentUser, path, n.otherCase);
    EXPECT_EQ("gone", registry.GetSettingString(kHkeyCurrentUser, path, n.name, "gone"));
    EXPECT_EQ(win32err::kSuccess, platform().RegDeleteKey(kHkeyCurrentUser, key(n.otherCase)));
    EXPECT_EQ(win32err::kFileNotFound, platform().RegOpenKey(kHkeyCurrentUser, path, &handle));
  }
}

TEST_F(NamesContract, FileAndFolderNamesAndShortcutMovesInEveryScript) {
  CDirStruct dirs(platform());
  CFileFunctions files(platform());
  for (const ScriptName& n : Names()) {
    SCOPED_TRACE(n.script);
    const std::string shortcut = n.name + ".lnk";
    ASSERT_TRUE(dirs.DirectoryExists(n.name, dir(), true));
    writeFile(n.name + "\\" + shortcut, "shortcut " + n.name);
    EXPECT_TRUE(dirs.FileExists(shortcut, dir(n.otherCase)));
    EXPECT_TRUE(exists(n.otherCase + "\\" + n.otherCase + ".LNK"));
    std::vector<std::string> listed;
    ASSERT_TRUE(dirs.ReturnFiles(dir(n.name), listed));
    EXPECT_EQ(std::vector<std::string>{shortcut}, listed);

    // Into an item folder of that name that the move creates, and back.
    const std::string items = n.name + "\\Items " + n.name;
    EXPECT_EQ(0, files.MoveFile(dir(n.name + "\\" + shortcut), dir(items + "\\" + shortcut), 0, "",
                                0x214));
    EXPECT_EQ("shortcut " + n.name, readFile(items + "\\" + shortcut));
    EXPECT_FALSE(exists(n.name + "\\" + shortcut));
    EXPECT_EQ(0, files.MoveFile(dir(items + "\\" + shortcut), dir(n.name + "\\" + shortcut), 0, "",
                                0x14));
    EXPECT_EQ("shortcut " + n.name, readFile(n.name + "\\" + shortcut));
  }
}

TEST_F(NamesContract, SpecialFoldersOfTheLogonNameHoldItIntact) {
  std::string user = platform().GetUserName();
  user = user.substr(0, user.find('\0'));
  ASSERT_FALSE(user.empty());
  EXPECT_TRUE(IsValidUtf8(user));
  for (const int csidl : {kCsidlStartup, kCsidlPrograms, kCsidlStartMenu}) {
    SCOPED_TRACE(csidl);
    std::string folder;
    ASSERT_TRUE(platform().GetSpecialFolderPath(csidl, &folder));
    // The profile folder is named after the logon name.
    EXPECT_NE(std::string::npos, folder.find("\\" + user + "\\")) << folder;
  }
  // A file named after it can be made in the Startup folder.
  std::string startup;
  ASSERT_TRUE(platform().GetSpecialFolderPath(kCsidlStartup, &startup));
  platform().CreateDirectory(startup);
  const std::string file = startup + "\\Vantrel names test " + user + ".lnk";
  ASSERT_TRUE(platform().WriteWholeFile(file, user));
  EXPECT_TRUE(platform().DeleteFile(file));
}

} // namespace
} // namespace vantrel::testing
