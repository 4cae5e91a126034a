// Win32Platform's file calls where the real API has rules of its own:
// read-only and hidden files, files larger than one read, and a log that
// two writers append to.
#include <cstring>
#include <functional>

#include "common/platform/win32/win32_api.h"
#include "common/platform/win32/win32_handles.h"
#include "contract/contract_fixture.h"

namespace vantrel::testing {
namespace {

using Win32Files = ContractTest;

TEST_F(Win32Files, ReadOnlyFilesAreNeitherOverwrittenNorReplaced) {
  writeFile("locked.txt", "original");
  writeFile("source.txt", "replacement");
  ASSERT_TRUE(::SetFileAttributesA(dir("locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  const std::string locked = dir("locked.txt");
  const std::string source = dir("source.txt");
  struct Row {
    const char* call;
    std::function<bool()> act;
  } rows[] = {
      {"WriteWholeFile", [&] { return platform().WriteWholeFile(locked, "new"); }},
      {"AppendToFile", [&] { return platform().AppendToFile(locked, "more"); }},
      {"ReplaceFile", [&] { return platform().ReplaceFile(source, locked); }},
      {"CopyFile", [&] { return platform().CopyFile(source, locked); }},
      {"DeleteFile", [&] { return platform().DeleteFile(locked); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.call);
    ::SetLastError(0xdeadbeef);
    EXPECT_FALSE(row.act());
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), ::GetLastError());
    EXPECT_EQ("original", readFile("locked.txt"));
  }
  EXPECT_EQ("replacement", readFile("source.txt"));
  ::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Win32Files, HiddenAndSystemFilesAreOnlyAppendedToAndReplaced) {
  // As CreateFile with CREATE_ALWAYS and CopyFile have it on Windows.
  const DWORD kinds[] = {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM};
  for (const DWORD kind : kinds) {
    SCOPED_TRACE(kind);
    writeFile("desktop.ini", "old");
    writeFile("source.ini", "replacement");
    ASSERT_TRUE(::SetFileAttributesA(dir("desktop.ini").c_str(), kind));
    EXPECT_FALSE(platform().WriteWholeFile(dir("desktop.ini"), "new"));
    EXPECT_EQ(kind == FILE_ATTRIBUTE_SYSTEM,
              platform().CopyFile(dir("source.ini"), dir("desktop.ini")));
    if (kind == FILE_ATTRIBUTE_HIDDEN) {
      EXPECT_TRUE(platform().AppendToFile(dir("desktop.ini"), "+"));
      EXPECT_EQ("old+", readFile("desktop.ini"));
    }
    ::SetFileAttributesA(dir("desktop.ini").c_str(), kind);
    EXPECT_TRUE(platform().ReplaceFile(dir("source.ini"), dir("desktop.ini")));
    EXPECT_EQ("replacement", readFile("desktop.ini"));
    ::SetFileAttributesA(dir("desktop.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST_F(Win32Files, FilesLargerThanOneReadRoundTrip) {
  std::string bytes(3 * 1024 * 1024 + 17, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>((i * 7) % 251);
  ASSERT_TRUE(platform().WriteWholeFile(dir("big.bin"), bytes));
  const std::string tail(1024 * 1024 + 1, 'z');
  ASSERT_TRUE(platform().AppendToFile(dir("big.bin"), tail));
  EXPECT_TRUE(readFile("big.bin") == bytes + tail);

  FindData data;
  const FindHandle search = platform().FindFirstFile(dir("big.bin"), &data);
  ASSERT_NE(kInvalidFindHandle, search);
  EXPECT_EQ(bytes.size() + tail.size(), data.size);
  platform().FindClose(search);

  ASSERT_TRUE(platform().WriteWholeFile(dir("big.bin"), ""));
  EXPECT_EQ("", readFile("big.bin"));
}

TEST_F(Win32Files, AppendsLandAtTheEndWhileAnotherWriterHasTheFileOpen) {
  // Both programs append to one log without a lock between them.
  win32::UniqueFile other(::CreateFileA(dir("log.txt").c_str(), FILE_APPEND_DATA,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(other.valid());
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(other.get(), "one\r\n", 5, &written, nullptr));
  EXPECT_TRUE(platform().AppendToFile(dir("log.txt"), "two\r\n"));
  ASSERT_TRUE(::WriteFile(other.get(), "three\r\n", 7, &written, nullptr));
  EXPECT_EQ("one\r\ntwo\r\nthree\r\n", readFile("log.txt"));
  other.reset();
  EXPECT_EQ("one\r\ntwo\r\nthree\r\n", readFile("log.txt"));
}

TEST_F(Win32Files, ListingFillsTheWholeRecord) {
  const std::string longName = std::string(200, 'n') + ".lnk";
  writeFile(longName, "12345");
  makeFolder("Folder");
  FindData data;
  std::memset(data.fileName, 'x', sizeof data.fileName);
  data.size = 0xdeadbeef;
  data.attributes = 0xdeadbeef;
  FindHandle search = platform().FindFirstFile(dir(longName), &data);
  ASSERT_NE(kInvalidFindHandle, search);
  EXPECT_EQ(longName, std::string(data.fileName));
  EXPECT_EQ(5u, data.size);
  EXPECT_EQ(0u, data.attributes & kFileAttributeDirectory);
  EXPECT_TRUE(platform().FindClose(search));

  search = platform().FindFirstFile(dir("folder"), &data);
  ASSERT_NE(kInvalidFindHandle, search);
  EXPECT_STREQ("Folder", data.fileName);
  EXPECT_NE(0u, data.attributes & kFileAttributeDirectory);
  EXPECT_FALSE(platform().FindNextFile(search, &data));
  EXPECT_TRUE(platform().FindClose(search));

  EXPECT_EQ(kInvalidFindHandle, platform().FindFirstFile(dir("none*.x"), &data));
  EXPECT_FALSE(platform().FindClose(kInvalidFindHandle));
  std::string bytes;
  EXPECT_FALSE(platform().ReadWholeFile(dir("Folder"), &bytes));
  EXPECT_FALSE(platform().WriteWholeFile(dir("Folder"), "a folder is no file"));
}

} // namespace
} // namespace vantrel::testing
