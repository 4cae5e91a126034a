// The platform seam itself: the Win32 rules that the utility classes rely
// on, checked against both the simulation and the real API.

#include "contract/contract_fixture.h"

namespace vantrel::testing {
namespace {

using SeamContract = ContractTest;

std::vector<std::string> List(Platform& platform, const std::string& pattern) {
  std::vector<std::string> names;
  FindData data;
  const FindHandle search = platform.FindFirstFile(pattern, &data);
  if (search == kInvalidFindHandle)
    return names;
  do {
    names.emplace_back(data.fileName);
  } while (platform.FindNextFile(search, &data));
  platform.FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(SeamContract, RegistryBufferRules) {
  setRaw("Name", kRegSz, std::string("data\0", 5));
  RegKey handle = 0;
  ASSERT_EQ(win32err::kSuccess, platform().RegOpenKey(kHkeyCurrentUser, key(), &handle));

  std::uint32_t type = 0xdeadbeef, size = 0;
  std::uint8_t small[2];
  size = sizeof small;
  EXPECT_EQ(win32err::kMoreData, platform().RegQueryValue(handle, "Name", &type, small, &size));
  EXPECT_EQ(kRegSz, type);
  EXPECT_EQ(5u, size);
  EXPECT_EQ(win32err::kFileNotFound,
            platform().RegQueryValue(handle, "Missing", &type, nullptr, &size));

  char name[8];
  std::uint8_t data[16];
  std::uint32_t nameChars = sizeof name, dataSize = sizeof data;
  EXPECT_EQ(win32err::kSuccess,
            platform().RegEnumValue(handle, 0, name, &nameChars, nullptr, data, &dataSize));
  EXPECT_STREQ("Name", name);
  EXPECT_EQ(4u, nameChars);
  EXPECT_EQ(5u, dataSize);
  nameChars = 4; // no room for the terminator
  dataSize = sizeof data;
  EXPECT_EQ(win32err::kMoreData,
            platform().RegEnumValue(handle, 0, name, &nameChars, nullptr, data, &dataSize));
  nameChars = sizeof name;
  dataSize = sizeof data;
  EXPECT_EQ(win32err::kNoMoreItems,
            platform().RegEnumValue(handle, 1, name, &nameChars, nullptr, data, &dataSize));
  EXPECT_EQ(win32err::kSuccess, platform().RegCloseKey(handle));
}

TEST_F(SeamContract, ListingsMatchNamesWithoutRegardToCase) {
  writeFile("Agent.LNK");
  writeFile("noext");
  makeFolder("Sub");
  EXPECT_EQ((std::vector<std::string>{".", "..", "Agent.LNK", "Sub", "noext"}),
            List(platform(), dir("*.*")));
  for (const char* pattern : {"agent.lnk", "*.lnk"})
    EXPECT_EQ((std::vector<std::string>{"Agent.LNK"}), List(platform(), dir(pattern))) << pattern;
  // Nothing is found in a missing folder, below a file, or for a trailing backslash.
  for (const char* pattern : {"Missing\\*.*", "noext\\*", "Sub\\", "*.zzz"})
    EXPECT_TRUE(List(platform(), dir(pattern)).empty()) << pattern;
}

TEST_F(SeamContract, FilesAndFolders) {
  EXPECT_FALSE(platform().CreateDirectory(dir("No\\Parent")));
  EXPECT_TRUE(platform().CreateDirectory(dir("Folder")));
  EXPECT_FALSE(platform().CreateDirectory(dir("Folder")));

  EXPECT_TRUE(platform().WriteWholeFile(dir("Folder\\f.txt"), "first\r\n"));
  EXPECT_TRUE(platform().AppendToFile(dir("Folder\\f.txt"), "second\r\n"));
  EXPECT_TRUE(platform().AppendToFile(dir("Folder\\new.txt"), "created"));
  EXPECT_EQ("first\r\nsecond\r\n", readFile("Folder\\f.txt"));
  EXPECT_FALSE(platform().WriteWholeFile(dir("Missing\\f.txt"), "x"));

  EXPECT_TRUE(platform().ReplaceFile(dir("Folder\\new.txt"), dir("Folder\\f.txt")));
  EXPECT_EQ("created", readFile("Folder\\f.txt"));
  EXPECT_FALSE(exists("Folder\\new.txt"));
  EXPECT_FALSE(platform().ReplaceFile(dir("Folder\\gone.txt"), dir("Folder\\f.txt")));
  EXPECT_TRUE(platform().CopyFile(dir("Folder\\f.txt"), dir("copy.txt")));
  EXPECT_EQ("created", readFile("copy.txt"));

  EXPECT_FALSE(platform().RemoveDirectory(dir("Folder")));
  EXPECT_TRUE(platform().DeleteFile(dir("Folder\\f.txt")));
  EXPECT_TRUE(platform().RemoveDirectory(dir("Folder")));
}

} // namespace
} // namespace vantrel::testing
