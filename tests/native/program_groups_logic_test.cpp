// The program-group editor's logic on a simulated machine: what clicking,
// adding, renaming and refusing do to its fields, proggroup.c and the
// message boxes.
#include <gtest/gtest.h>

#include "native/secondary_windows_test_support.h"
#include "vantrel/editor/program_group_text_rules.h"
#include "vantrel/editor/program_groups_logic.h"

namespace vantrel {
namespace {

using namespace secondary_test;

const std::string kGroupsFile =
    CrLf({"void Startup()", "{", "     Execute (\"Tool.lnk\", \"\", 5, \"\");",
          "     ExecuteReg (\"C:\\Tools\\agent.exe\", \"-q\", 5, \"Agent\");", "}", "",
          "void Tools()", "{", "     Execute (\"C:\\Apps\\a.exe\", \"-x\", 5, \"\");",
          "     Execute (\"C:\\Apps\\b.exe\", \"\", 2, \"\");", "}", "", "void My_startup_things()",
          "{", "     Execute (\"C:\\Apps\\c.exe\", \"\", 0, \"\");", "}"});

class ProgramGroupsTest : public ::testing::Test, public SecondaryRig {
protected:
  void SetUp() override {
    world.AddFile(kFile, kGroupsFile);
    for (const char* program : {"a.exe", "b.exe", "c.exe", "new.exe"})
      world.AddFile(std::string("C:\\Apps\\") + program, "MZ");
    editor.Load();
  }

  void Click(const std::string& key) {
    const TreeModel::NodeId node = editor.Tree().Find(key);
    ASSERT_NE(node, TreeModel::kNoNode) << key;
    editor.NodeClicked(node);
  }
  std::string Shown() const {
    return fields.GroupName + "|" + fields.Path + "|" + fields.Parameters + "|" + fields.Delay;
  }

  ProgramGroupsEditor editor{context};
  ProgramGroupsFields& fields = editor.Fields();
};

TEST_F(ProgramGroupsTest, ClickingFillsTheFieldsAndRenamingUpdatesFileListAndTree) {
  for (const auto& [key, shown] : {std::pair{"ToolsProgramPath0", "Tools|C:\\Apps\\a.exe|-x|5"},
                                   {"ToolsProgramParameters0", "Tools|C:\\Apps\\a.exe|-x|5"},
                                   {"ToolsProgramDelay1", "Tools|C:\\Apps\\b.exe||2"},
                                   {"Tools", "Tools|||2"}}) { // a group node leaves the delay
    Click(key);
    EXPECT_EQ(Shown(), shown);
    EXPECT_EQ(editor.Remembered().Group + editor.Remembered().Path, fields.GroupName + fields.Path);
    EXPECT_TRUE(fields.RemoveEnabled);
  }
  // The root cannot be removed; loading again lists each group once.
  Click("Root");
  EXPECT_FALSE(fields.RemoveEnabled);
  editor.Load();
  EXPECT_EQ(fields.GroupList, (std::vector<std::string>{"Startup", "Tools", "My startup things"}));

  // A rename updates the file, the group list and the tree.
  Click("Tools");
  fields.GroupName = " Utilities ";
  editor.GroupNameChanged(); // a free name, as typed: the rename is offered
  editor.EditGroupClicked();
  EXPECT_NE(File().find("\r\nvoid Utilities()\r\n"), std::string::npos) << File();
  EXPECT_EQ(fields.GroupList,
            (std::vector<std::string>{"Startup", "Utilities", "My startup things"}));
  EXPECT_EQ(editor.Tree().At(editor.Tree().Find("Tools")).text, "Utilities");
  EXPECT_FALSE(fields.EditGroupEnabled); // the name is taken now
  // Programs of the Startup group are added from the main window only.
  Click("StartupProgramPath0");
  editor.ModeChosen(true);
  EXPECT_FALSE(fields.AddNewSelected);
}

// Each refusal shows one box (or none), keeps the fields, saves nothing and
// puts the focus where the fault is.
TEST_F(ProgramGroupsTest, RefusedAddsRemovesAndRenamesChangeNothing) {
  using Editor = ProgramGroupsEditor;
  const struct {
    const char* select;
    void (Editor::*click)();
    const char *group, *path, *delay; // null: as the click left it
    const char* box;                  // caption|text; empty: refused without a box
    EditorFocus focus = EditorFocus::kNone;
    unsigned icon = kMbIconExclamation;
  } cases[] = {
      {"ToolsProgramPath0", &Editor::AddClicked, " ", "C:\\Apps\\new.exe", "1",
       "Vantrel - Enter Groupname|M3", EditorFocus::kGroupName},
      {"ToolsProgramPath0", &Editor::AddClicked, "Tools", "  ", "1", "Vantrel - Enter Filename|M4",
       EditorFocus::kPath},
      {"ToolsProgramPath0", &Editor::AddClicked, "Tools", "C:\\Apps\\gone.exe", "1",
       "Vantrel - File not Found|M5", EditorFocus::kPath},
      {"ToolsProgramPath0", &Editor::AddClicked, "Tools", "C:\\Apps\\new.exe", "1.2.3",
       "Vantrel|Please enter the delay as a number", EditorFocus::kDelay},
      {"Startup", &Editor::RemoveClicked, nullptr, nullptr, nullptr, "Vantrel|M11",
       EditorFocus::kNone, kMbIconInformation},
      {"StartupProgramPath0", &Editor::RemoveClicked, nullptr, nullptr, nullptr, "Vantrel|M12",
       EditorFocus::kNone, kMbIconInformation},
      {"Tools", &Editor::EditGroupClicked, "  ", nullptr, nullptr, ""},
      {"Tools", &Editor::EditGroupClicked, "My startup things", nullptr, nullptr, ""},
      {"Startup", &Editor::EditGroupClicked, "Boot", nullptr, nullptr,
       "Vantrel|The group \"Startup\""},
      {"Tools", &Editor::EditGroupClicked, "My_Tools", nullptr, nullptr,
       "Vantrel|A group name cannot contain an underscore"},
      {"Tools", &Editor::EditGroupClicked, "Root", nullptr, nullptr, // the tree root's key
       "Vantrel|The program groups file cannot hold"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.select) + " " + (c.group ? c.group : "") + " " + c.box);
    Click(c.select);
    for (auto [field, text] : {std::pair{&fields.GroupName, c.group},
                               std::pair{&fields.Path, c.path}, std::pair{&fields.Delay, c.delay}})
      if (text)
        *field = text;
    const std::string kept = fields.Path + "|" + editor.Remembered().Group;
    const std::size_t boxes = platform.messageBoxes().size();
    (editor.*c.click)();
    EXPECT_EQ(File(), kGroupsFile);
    EXPECT_EQ(fields.Path + "|" + editor.Remembered().Group, kept);
    ASSERT_EQ(platform.messageBoxes().size(), boxes + (*c.box ? 1 : 0));
    if (*c.box) {
      const auto& box = platform.messageBoxes().back();
      EXPECT_TRUE((box.caption + "|" + box.text).starts_with(c.box)) << box.text;
      EXPECT_EQ(box.flags, kMbOk | c.icon);
    }
    EXPECT_EQ(editor.TakeFocusRequest(), c.focus);
  }
}

// An added program is saved trimmed and the fields emptied; an empty delay
// box adds it without a delay.
TEST_F(ProgramGroupsTest, AddingAProgramSavesItAndWhatTheFileCannotCarryIsNamed) {
  Click("Tools");
  fields.Path = "  C:\\Apps\\new.exe ";
  fields.Parameters = " -min ";
  fields.Delay = "2.5";
  editor.AddClicked();
  EXPECT_NE(File().find("     Execute (\"C:\\Apps\\new.exe\", \"-min\", 2.5, \"\");\r\n"),
            std::string::npos)
      << File();
  EXPECT_EQ(Shown(), "|||0");
  EXPECT_NE(editor.Tree().Find("ToolsProgramPath2"), TreeModel::kNoNode) << "tree rebuilt";
  editor.GroupChosen("Tools");
  fields.Path = "C:\\Apps\\c.exe";
  fields.Delay = "";
  editor.ModeChosen(true);
  editor.AddClicked();
  EXPECT_NE(File().find("     Execute (\"C:\\Apps\\c.exe\", \"\", 0, \"\");"), std::string::npos);

  // proggroup.c writes codes for what its quoted fields cannot hold; what
  // no code carries is named.
  ProgramEntry entry{"\"C:\\a b\\x\t.exe\"", "http://a//b \"{a}\"", "Execute", 2.5f, "a,b)", 0};
  EXPECT_EQ(CheckProgram("My Tools", entry), TextProblem::kNone);
  EXPECT_EQ(CheckProgram("My_Tools", entry), TextProblem::kUnderscoreInGroupName);
  EXPECT_EQ(CheckGroupName("a // b"), TextProblem::kNotCarried);
  EXPECT_EQ(CheckProgram("a // b", entry), TextProblem::kNotCarried);
}

} // namespace
} // namespace vantrel
