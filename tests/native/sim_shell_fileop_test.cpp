// SHFileOperation on the simulated machine: a table of operations with the
// tree they leave, then partial failures, faults and the record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/platform/sim/sim_platform.h"
#include "common/platform/sim/sim_shell_fileop.h"

namespace vantrel::sim {
namespace {

using Tree = std::vector<std::string>;

// Makes the entries below C:\T: "x\" a folder, anything else a file that
// holds its own name.
void Arrange(SimWorld& world, const Tree& entries) {
  world.MakeDirs("C:\\T");
  for (const auto& entry : entries) {
    if (entry.back() == '\\')
      world.MakeDirs("C:\\T\\" + entry);
    else
      world.AddFile("C:\\T\\" + entry, entry);
  }
}

// The tree below C:\T; a file whose content differs from its name shows
// as "name=content".
Tree Contents(const SimWorld& world) {
  Tree tree;
  for (const auto& path : world.ListAll()) {
    if (path.rfind("C:\\T\\", 0) != 0 || path.size() == 5)
      continue;
    const std::string entry = path.substr(5);
    const auto bytes = world.ReadFile(path);
    tree.push_back(bytes && *bytes != entry ? entry + "=" + *bytes : entry);
  }
  return tree;
}

std::string List(std::initializer_list<const char*> paths) {
  std::string list;
  for (const char* path : paths)
    list += std::string(path) + '\0';
  return list + '\0';
}

int Shell(SimPlatform& platform, std::uint32_t func, const std::string& from, const std::string& to,
          std::uint32_t flags) {
  ShFileOpStruct op;
  op.func = func;
  op.from = from;
  op.to = to;
  op.flags = flags;
  return platform.ShFileOperation(&op);
}

TEST(SimShellFileOp, OperationsAndTheTreesTheyLeave) {
  struct Row {
    const char* label;
    Tree before;
    std::uint32_t func;
    std::string from;
    std::string to;
    std::uint32_t flags;
    int result;
    Tree after;
  };
  const std::uint32_t kQuiet = kFofSilent | kFofNoConfirmation; // 0x14
  const Row rows[] = {
      {"a file into an existing folder",
       {"a.lnk", "Items\\"},
       kFoMove,
       List({"C:\\T\\a.lnk"}),
       List({"C:\\T\\Items"}),
       kQuiet,
       0,
       {"Items\\", "Items\\a.lnk=a.lnk"}},
      {"a file to a new name, its folders made",
       {"a.lnk"},
       kFoMove,
       List({"C:\\T\\a.lnk"}),
       List({"C:\\T\\New\\Deep\\b.lnk"}),
       0x214,
       0,
       {"New\\", "New\\Deep\\", "New\\Deep\\b.lnk=a.lnk"}},
      {"a trailing backslash names a folder",
       {"a.lnk"},
       kFoMove,
       List({"C:\\T\\a.lnk"}),
       List({"C:\\T\\New\\"}),
       0x214,
       0,
       {"New\\", "New\\a.lnk=a.lnk"}},
      {"files only of a wildcard into a new folder",
       {"Old\\a.txt", "Old\\B", "Old\\Sub\\c.txt"},
       kFoMove,
       List({"C:\\T\\Old\\*.*"}),
       List({"C:\\T\\New"}),
       0x291,
       0,
       {"New\\", "New\\a.txt=Old\\a.txt", "New\\B=Old\\B", "Old\\", "Old\\Sub\\",
        "Old\\Sub\\c.txt"}},
      {"a wildcard takes folders too",
       {"Old\\a.txt", "Old\\Sub\\c.txt"},
       kFoCopy,
       List({"C:\\T\\Old\\*"}),
       List({"C:\\T\\New"}),
       kQuiet,
       0,
       {"New\\", "New\\a.txt=Old\\a.txt", "New\\Sub\\", "New\\Sub\\c.txt=Old\\Sub\\c.txt", "Old\\",
        "Old\\a.txt", "Old\\Sub\\", "Old\\Sub\\c.txt"}},
      {"a missing source stops everything",
       {"a", "D\\"},
       kFoCopy,
       List({"C:\\T\\a", "C:\\T\\x"}),
       List({"C:\\T\\D"}),
       kQuiet,
       win32err::kFileNotFound,
       {"a", "D\\"}},
      {"several sources go into a new folder",
       {"a", "b"},
       kFoCopy,
       List({"C:\\T\\a", "C:\\T\\b"}),
       List({"C:\\T\\N"}),
       kQuiet,
       0,
       {"a", "b", "N\\", "N\\a=a", "N\\b=b"}},
      {"an existing file is replaced",
       {"a", "D\\a"},
       kFoMove,
       List({"C:\\T\\a"}),
       List({"C:\\T\\D"}),
       kQuiet,
       0,
       {"D\\", "D\\a=a"}},
      {"folders merge",
       {"S\\f", "D\\S\\g"},
       kFoMove,
       List({"C:\\T\\S"}),
       List({"C:\\T\\D"}),
       kQuiet,
       0,
       {"D\\", "D\\S\\", "D\\S\\f=S\\f", "D\\S\\g"}},
      {"destinations in pairs",
       {"a", "b"},
       kFoCopy,
       List({"C:\\T\\a", "C:\\T\\b"}),
       List({"C:\\T\\x", "C:\\T\\y"}),
       kQuiet | kFofMultiDestFiles,
       0,
       {"a", "b", "x=a", "y=b"}},
      {"a file onto a folder in pairs",
       {"a", "x\\"},
       kFoCopy,
       List({"C:\\T\\a"}),
       List({"C:\\T\\x"}),
       kQuiet | kFofMultiDestFiles,
       kDeFileDestIsFld,
       {"a", "x\\"}},
      {"several items onto a file",
       {"a", "b", "f"},
       kFoCopy,
       List({"C:\\T\\a", "C:\\T\\b"}),
       List({"C:\\T\\f"}),
       kQuiet,
       kDeFldDestIsFile,
       {"a", "b", "f"}},
      {"a file onto itself",
       {"a"},
       kFoCopy,
       List({"C:\\T\\a"}),
       List({"C:\\T\\A"}),
       kQuiet,
       kDeSameFile,
       {"a"}},
      {"a folder into itself",
       {"D\\x"},
       kFoMove,
       List({"C:\\T\\D"}),
       List({"C:\\T\\D\\E"}),
       kQuiet,
       kDeDestSubtree,
       {"D\\", "D\\x"}},
      {"moving changes only the spelling",
       {"a"},
       kFoMove,
       List({"C:\\T\\a"}),
       List({"C:\\T\\A"}),
       kQuiet,
       0,
       {"A=a"}},
      {"a rename", {"a"}, kFoRename, List({"C:\\T\\a"}), List({"C:\\T\\b"}), kQuiet, 0, {"b=a"}},
      {"a rename into another folder",
       {"a", "D\\"},
       kFoRename,
       List({"C:\\T\\a"}),
       List({"C:\\T\\D\\a"}),
       kQuiet,
       kDeDiffDir,
       {"a", "D\\"}},
      {"a rename onto a folder",
       {"a", "b\\"},
       kFoRename,
       List({"C:\\T\\a"}),
       List({"C:\\T\\b"}),
       kQuiet,
       win32err::kAlreadyExists,
       {"a", "b\\"}},
      {"a folder is deleted with its contents",
       {"D\\x", "D\\S\\y", "k"},
       kFoDelete,
       List({"C:\\T\\D"}),
       "",
       kQuiet,
       0,
       {"k"}},
      {"files only spares folders a wildcard finds",
       {"a.txt", "b.txt\\", "c.doc"},
       kFoDelete,
       List({"C:\\T\\*.txt"}),
       "",
       kQuiet | kFofFilesOnly,
       0,
       {"b.txt\\", "c.doc"}},
      {"a wildcard that finds nothing",
       {"a"},
       kFoDelete,
       List({"C:\\T\\*.none"}),
       "",
       kQuiet,
       0,
       {"a"}},
      {"deleting what is not there",
       {"a"},
       kFoDelete,
       List({"C:\\T\\none"}),
       "",
       kQuiet,
       win32err::kFileNotFound,
       {"a"}},
      {"a list without its terminator (the real seam adds one)",
       {"a", "b"},
       kFoDelete,
       "C:\\T\\a",
       "",
       kQuiet,
       0,
       {"b"}},
      {"an empty list",
       {"a"},
       kFoDelete,
       std::string(2, '\0'),
       "",
       kQuiet,
       win32err::kAccessDenied,
       {"a"}},
      {"no such operation",
       {"a"},
       9,
       List({"C:\\T\\a"}),
       "",
       kQuiet,
       win32err::kInvalidParameter,
       {"a"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    SimWorld world;
    SimPlatform platform(world);
    Arrange(world, row.before);
    EXPECT_EQ(row.result, Shell(platform, row.func, row.from, row.to, row.flags));
    EXPECT_EQ(row.after, Contents(world));
  }
}

TEST(SimShellFileOp, FailuresPartWayKeepWhatWasDone) {
  SimWorld world;
  SimPlatform platform(world);
  Arrange(world, {"Old\\a", "Old\\b", "Old\\c", "Ro\\"});
  world.LockFile("C:\\T\\Old\\b");
  EXPECT_EQ(win32err::kAccessDenied,
            Shell(platform, kFoMove, List({"C:\\T\\Old\\*"}), List({"C:\\T\\New"}), 0x14));
  EXPECT_EQ((Tree{"New\\", "New\\a=Old\\a", "Old\\", "Old\\b", "Old\\c", "Ro\\"}), Contents(world));
  world.LockFile("C:\\T\\Old\\b", false);
  world.SetFolderReadOnly("C:\\T\\Ro");
  EXPECT_EQ(win32err::kAccessDenied,
            Shell(platform, kFoCopy, List({"C:\\T\\Old\\b"}), List({"C:\\T\\Ro"}), 0x14));
  EXPECT_EQ(win32err::kAccessDenied, Shell(platform, kFoDelete, List({"C:\\T\\Ro"}), "", 0x14));
  world.SetFolderReadOnly("C:\\T\\Ro", false);
  world.SetDiskLimit(world.files().UsedBytes() + 3);
  EXPECT_EQ(win32err::kDiskFull,
            Shell(platform, kFoCopy, List({"C:\\T\\Old\\b"}), List({"C:\\T\\Ro"}), 0x14));
  EXPECT_EQ(0, Shell(platform, kFoMove, List({"C:\\T\\Old\\b"}), List({"C:\\T\\Ro"}), 0x14));
}

TEST(SimShellFileOp, FaultsRelativePathsAndTheRecord) {
  SimWorld world;
  SimPlatform platform(world);
  Arrange(world, {"a", "D\\"});
  std::vector<std::string> asked;
  world.faults = [&](SimOp op, const std::string& subject) {
    EXPECT_EQ(SimOp::kShFileOperation, op);
    asked.push_back(subject);
    return subject == "C:\\T\\Locked";
  };
  EXPECT_EQ(win32err::kAccessDenied,
            Shell(platform, kFoMove, List({"C:\\T\\a"}), List({"C:\\T\\Locked"}), 0x14));
  EXPECT_EQ((Tree{"a", "D\\"}), Contents(world));
  EXPECT_EQ((Tree{"C:\\T\\a", "C:\\T\\Locked"}), asked);

  platform.SetCurrentDirectory("C:\\T");
  ShFileOpStruct op;
  op.hwnd = 77;
  op.func = kFoMove;
  op.from = List({"a"});
  op.to = List({"D"});
  op.flags = 0x214;
  op.progressTitle = "Moving...";
  op.anyOperationsAborted = true;
  EXPECT_EQ(0, platform.ShFileOperation(&op));
  EXPECT_FALSE(op.anyOperationsAborted);
  EXPECT_EQ((Tree{"D\\", "D\\a=a"}), Contents(world));
  ASSERT_EQ(2u, platform.shFileOperations().size());
  const ShFileOpRecord& record = platform.shFileOperations().back();
  EXPECT_EQ(kFoMove, record.func);
  EXPECT_EQ(Tree{"a"}, record.from);
  EXPECT_EQ(Tree{"D"}, record.to);
  EXPECT_EQ(0x214u, record.flags);
  EXPECT_EQ("Moving...", record.title);
  EXPECT_EQ(77u, record.hwnd);
  EXPECT_TRUE(record.listsTerminated);
  EXPECT_EQ(0, record.result);
  EXPECT_EQ(win32err::kAccessDenied, platform.shFileOperations().front().result);
  op.from = std::string("D\\a") + '\0'; // one NUL short
  op.to.clear();
  op.func = kFoDelete;
  EXPECT_EQ(0, platform.ShFileOperation(&op));
  EXPECT_FALSE(platform.shFileOperations().back().listsTerminated);
}

} // namespace
} // namespace vantrel::sim
