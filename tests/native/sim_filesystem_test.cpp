// The simulated file system's own rules: listing order and the dot
// entries, path forms, the disk size, locked files, read-only folders and
// the fault hook.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/platform/sim/sim_platform.h"

namespace vantrel::sim {
namespace {

class SimFileSystemTest : public ::testing::Test {
protected:
  // Every name a search for pattern finds, or "<none>".
  std::vector<std::string> Find(const std::string& pattern) {
    FindData data;
    const FindHandle handle = platform.FindFirstFile(pattern, &data);
    if (handle == kInvalidFindHandle)
      return {"<none>"};
    std::vector<std::string> names;
    do {
      names.emplace_back(data.fileName);
    } while (platform.FindNextFile(handle, &data));
    EXPECT_TRUE(platform.FindClose(handle));
    return names;
  }
  std::string Read(const std::string& path) {
    std::string bytes;
    return platform.ReadWholeFile(path, &bytes) ? bytes : "<unreadable>";
  }

  SimWorld world;
  SimPlatform platform{world};
};

TEST_F(SimFileSystemTest, ListingsAreSortedWithTheDotEntriesFirst) {
  for (const char* name : {"b.txt", "_x", "A.txt", "a1"})
    world.AddFile(std::string("C:\\Dir\\") + name, "12345");
  world.MakeDirs("C:\\Dir\\Sub");
  using Names = std::vector<std::string>;
  EXPECT_EQ((Names{".", "..", "A.txt", "a1", "b.txt", "Sub", "_x"}), Find("C:\\Dir\\*"));
  EXPECT_EQ((Names{".", "..", "A.txt", "a1", "b.txt", "Sub", "_x"}), Find("c:/dir/*.*"));
  EXPECT_EQ((Names{"A.txt", "b.txt"}), Find("C:\\Dir\\*.TXT"));
  EXPECT_EQ((Names{"A.txt"}), Find("C:\\DIR\\a.txt")) << "one entry, in its own spelling";
  EXPECT_EQ((Names{"Sub"}), Find("C:\\Dir\\sub"));
  EXPECT_EQ((Names{"<none>"}), Find("C:\\Dir\\")) << "a trailing backslash finds nothing";
  EXPECT_EQ((Names{"<none>"}), Find("C:\\Dir\\*.zzz"));
  EXPECT_EQ((Names{"<none>"}), Find("C:\\Missing\\*"));
  EXPECT_EQ((Names{"<none>"}), Find("C:\\Dir\\A.txt\\*"));
  const Names root = Find("C:\\*");
  ASSERT_FALSE(root.empty());
  EXPECT_NE(".", root.front()) << "a drive's root has no dot entries";

  FindData data;
  std::memset(data.fileName, 0x55, sizeof data.fileName);
  const FindHandle handle = platform.FindFirstFile("C:\\Dir\\a1", &data);
  ASSERT_NE(kInvalidFindHandle, handle);
  EXPECT_EQ(kFileAttributeArchive, data.attributes);
  EXPECT_EQ(5u, data.size);
  EXPECT_STREQ("a1", data.fileName);
  EXPECT_FALSE(platform.FindNextFile(handle, &data));
  EXPECT_EQ(1u, platform.openFindHandles());
  EXPECT_TRUE(platform.FindClose(handle));
  EXPECT_FALSE(platform.FindClose(handle));
  EXPECT_EQ(kFileAttributeDirectory, platform.GetFileAttributes("C:\\Dir\\Sub\\"));
  EXPECT_EQ(kInvalidFileAttributes, platform.GetFileAttributes("C:\\Dir\\a1\\"));
}

TEST_F(SimFileSystemTest, PathFormsAndFolders) {
  platform.SetCurrentDirectory("C:\\Work");
  EXPECT_FALSE(platform.WriteWholeFile("note.txt", "x")) << "no such folder yet";
  ASSERT_TRUE(platform.CreateDirectory("C:\\Work"));
  EXPECT_FALSE(platform.CreateDirectory("C:\\Work"));
  EXPECT_FALSE(platform.CreateDirectory("C:\\Work\\a\\b")) << "only the last level is made";
  EXPECT_TRUE(platform.WriteWholeFile("note.txt", "relative"));
  EXPECT_EQ("relative", Read("C:\\WORK\\\\Note.TXT"));
  EXPECT_EQ("relative", Read("C:/Work/./x/../note.txt"));
  EXPECT_FALSE(platform.CreateDirectory("C:\\Work\\NOTE.txt")) << "the name belongs to a file";
  EXPECT_EQ((std::vector<std::string>{"note.txt"}), world.List("C:\\Work"));
  EXPECT_FALSE(platform.RemoveDirectory("C:\\Work"));
  EXPECT_TRUE(platform.DeleteFile("C:\\Work\\note.txt"));
  EXPECT_TRUE(platform.RemoveDirectory("C:\\Work"));
  EXPECT_FALSE(platform.RemoveDirectory("C:\\Work"));
  EXPECT_FALSE(platform.WriteWholeFile("C:\\bad|name", "x"));
  EXPECT_FALSE(platform.WriteWholeFile("D:\\file", "x")) << "there is no drive D:";
  // The ANSI calls stop at MAX_PATH.
  const std::string deep = "C:\\" + std::string(240, 'd');
  EXPECT_TRUE(platform.CreateDirectory(deep));
  EXPECT_TRUE(platform.WriteWholeFile(deep + "\\" + std::string(15, 'f'), "x"));
  EXPECT_FALSE(platform.WriteWholeFile(deep + "\\" + std::string(16, 'f'), "x"));
  EXPECT_FALSE(platform.CreateDirectory(deep + "\\abcdef"));
}

TEST_F(SimFileSystemTest, AFullDiskKeepsWhatFits) {
  world.SetDiskLimit(10);
  ASSERT_TRUE(platform.WriteWholeFile("C:\\a", "aaaa"));
  ASSERT_TRUE(platform.WriteWholeFile("C:\\b", "bbb"));
  EXPECT_FALSE(platform.CopyFile("C:\\a", "C:\\c")) << "4 bytes do not fit in 3 free";
  EXPECT_FALSE(world.Exists("C:\\c"));
  EXPECT_TRUE(platform.CopyFile("C:\\b", "C:\\c"));
  EXPECT_FALSE(platform.WriteWholeFile("C:\\b", "123456")) << "room for the 3 bytes it had";
  EXPECT_EQ("123", Read("C:\\b")) << "the file is cut where the disk filled";
  EXPECT_FALSE(platform.AppendToFile("C:\\a", "zz"));
  EXPECT_EQ("aaaa", Read("C:\\a"));
  EXPECT_TRUE(platform.ReplaceFile("C:\\c", "C:\\a")) << "a move needs no room";
  EXPECT_TRUE(platform.AppendToFile("C:\\a", "zz"));
  EXPECT_EQ("bbbzz", Read("C:\\a"));
  EXPECT_EQ(8u, world.files().UsedBytes());
  world.SetDiskLimit(std::nullopt);
  EXPECT_TRUE(platform.AppendToFile("C:\\a", std::string(100, 'x')));
}

TEST_F(SimFileSystemTest, LockedFilesReadOnlyFoldersAndAttributes) {
  world.AddFile("C:\\D\\open.txt", "held");
  world.AddFile("C:\\D\\other.txt", "other");
  world.LockFile("C:\\D\\open.txt");
  std::string bytes;
  EXPECT_FALSE(platform.ReadWholeFile("C:\\D\\open.txt", &bytes));
  EXPECT_FALSE(platform.WriteWholeFile("C:\\D\\open.txt", "x"));
  EXPECT_FALSE(platform.AppendToFile("C:\\D\\open.txt", "x"));
  EXPECT_FALSE(platform.DeleteFile("C:\\D\\open.txt"));
  EXPECT_FALSE(platform.CopyFile("C:\\D\\open.txt", "C:\\D\\copy.txt"));
  EXPECT_FALSE(platform.ReplaceFile("C:\\D\\other.txt", "C:\\D\\open.txt"));
  EXPECT_FALSE(platform.ReplaceFile("C:\\D\\open.txt", "C:\\D\\moved.txt"));
  world.LockFile("C:\\D\\open.txt", false);
  EXPECT_EQ("held", Read("C:\\D\\open.txt"));

  world.MakeDirs("C:\\D\\Sub");
  world.SetFolderReadOnly("C:\\D");
  EXPECT_EQ("other", Read("C:\\D\\other.txt")) << "reading still works";
  EXPECT_FALSE(platform.WriteWholeFile("C:\\D\\other.txt", "x"));
  EXPECT_FALSE(platform.WriteWholeFile("C:\\D\\Sub\\new.txt", "x")) << "the subtree too";
  EXPECT_FALSE(platform.CreateDirectory("C:\\D\\New"));
  EXPECT_FALSE(platform.RemoveDirectory("C:\\D\\Sub"));
  EXPECT_FALSE(platform.DeleteFile("C:\\D\\other.txt"));
  EXPECT_FALSE(platform.ReplaceFile("C:\\D\\other.txt", "C:\\elsewhere.txt"));
  EXPECT_TRUE(platform.CopyFile("C:\\D\\other.txt", "C:\\elsewhere.txt"));
  world.SetFolderReadOnly("C:\\D", false);

  world.SetFileAttributes("C:\\D\\other.txt", kFileAttributeReadOnly | kFileAttributeHidden);
  EXPECT_EQ(kFileAttributeReadOnly | kFileAttributeHidden,
            platform.GetFileAttributes("C:\\D\\other.txt"));
  EXPECT_FALSE(platform.WriteWholeFile("C:\\D\\other.txt", "x"));
  EXPECT_FALSE(platform.DeleteFile("C:\\D\\other.txt"));
  EXPECT_FALSE(platform.CopyFile("C:\\elsewhere.txt", "C:\\D\\other.txt"));
  world.SetFileAttributes("C:\\D\\other.txt", kFileAttributeHidden);
  EXPECT_FALSE(platform.CopyFile("C:\\elsewhere.txt", "C:\\D\\other.txt"))
      << "CopyFile does not overwrite a hidden file";
  EXPECT_FALSE(platform.WriteWholeFile("C:\\D\\other.txt", "x"))
      << "nor does CreateFile with CREATE_ALWAYS";
  EXPECT_TRUE(platform.AppendToFile("C:\\D\\other.txt", "+"));
  world.SetFileAttributes("C:\\D\\other.txt", kFileAttributeSystem);
  EXPECT_FALSE(platform.WriteWholeFile("C:\\D\\other.txt", "x"));
  EXPECT_EQ("other+", Read("C:\\D\\other.txt"));
  world.SetFileAttributes("C:\\D\\other.txt", 0);
  EXPECT_EQ(kFileAttributeNormal, platform.GetFileAttributes("C:\\D\\other.txt"));
}

TEST_F(SimFileSystemTest, ReplaceFileMovesWithinADrive) {
  world.AddFile("C:\\D\\new.tmp", "new");
  world.AddFile("C:\\D\\data.txt", "old");
  world.MakeDirs("C:\\D\\Folder");
  world.AddFile("D:\\other.txt", "d");
  EXPECT_FALSE(platform.ReplaceFile("C:\\D\\missing", "C:\\D\\data.txt"));
  EXPECT_FALSE(platform.ReplaceFile("C:\\D\\new.tmp", "C:\\D\\Folder"));
  EXPECT_FALSE(platform.ReplaceFile("D:\\other.txt", "C:\\D\\other.txt"));
  EXPECT_FALSE(platform.ReplaceFile("C:\\D\\Folder", "C:\\D\\Folder\\Inner"));
  EXPECT_TRUE(platform.ReplaceFile("C:\\D\\new.tmp", "C:\\D\\data.txt"));
  EXPECT_TRUE(platform.ReplaceFile("C:\\D\\data.txt", "C:\\D\\DATA.TXT"));
  EXPECT_EQ((std::vector<std::string>{"DATA.TXT", "Folder"}), world.List("C:\\D"));
  EXPECT_EQ("new", world.ReadFile("C:\\D\\data.txt"));
  EXPECT_TRUE(platform.ReplaceFile("C:\\D\\Folder", "C:\\D\\Renamed"));
  EXPECT_TRUE(world.IsFolder("C:\\D\\Renamed"));
}

TEST_F(SimFileSystemTest, FaultHookIsAskedBeforeEachChangeAndRead) {
  world.AddFile("C:\\F\\keep.txt", "old");
  std::vector<std::string> asked;
  bool fail = false;
  world.faults = [&](SimOp op, const std::string& subject) {
    asked.push_back(std::to_string(static_cast<int>(op)) + " " + subject);
    return fail;
  };
  const auto op = [](SimOp o) { return std::to_string(static_cast<int>(o)) + " "; };
  fail = true;
  EXPECT_FALSE(platform.WriteWholeFile("C:\\F\\keep.txt", "new"));
  EXPECT_FALSE(platform.AppendToFile("c:\\f\\keep.txt", "more"));
  EXPECT_FALSE(platform.ReplaceFile("C:\\F\\keep.txt", "C:\\F\\moved.txt"));
  EXPECT_FALSE(platform.CreateDirectory("C:\\F\\Sub"));
  EXPECT_EQ("old", world.ReadFile("C:\\F\\keep.txt"));
  EXPECT_EQ((std::vector<std::string>{"keep.txt"}), world.List("C:\\F"));
  asked.clear();
  fail = false;
  std::string bytes;
  platform.ReadWholeFile("C:\\F\\keep.txt", &bytes);
  platform.CopyFile("C:\\F\\keep.txt", "C:\\F\\copy.txt");
  platform.ReplaceFile("C:\\F\\copy.txt", "C:\\F\\moved.txt");
  platform.DeleteFile("C:\\F\\moved.txt");
  platform.CreateDirectory("C:\\F\\Sub");
  platform.RemoveDirectory("C:\\F\\Sub");
  EXPECT_EQ((std::vector<std::string>{
                op(SimOp::kFileRead) + "C:\\F\\keep.txt",
                op(SimOp::kFileRead) + "C:\\F\\keep.txt",
                op(SimOp::kFileCopy) + "C:\\F\\copy.txt",
                op(SimOp::kFileReplace) + "C:\\F\\moved.txt",
                op(SimOp::kFileReplace) + "C:\\F\\copy.txt",
                op(SimOp::kFileDelete) + "C:\\F\\moved.txt",
                op(SimOp::kCreateDirectory) + "C:\\F\\Sub",
                op(SimOp::kRemoveDirectory) + "C:\\F\\Sub",
            }),
            asked);
}

} // namespace
} // namespace vantrel::sim
