// The program-group editor's logic on a simulated machine: which buttons
// each state enables, and what adding, editing, renaming and removing do
// to proggroup.c and the message boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "native/secondary_windows_test_support.h"
#include "vantrel/editor/program_group_text_rules.h"
#include "vantrel/editor/program_groups_logic.h"
#include "vantrel/editor/program_groups_tree.h"

namespace vantrel {
namespace {

using namespace secondary_test;

const std::string kGroupsFile = CrLf({
    "void Startup()",
    "{",
    "     Execute (\"Tool.lnk\", \"\", 5, \"\");",
    "     ExecuteReg (\"C:\\Tools\\agent.exe\", \"-q\", 5, \"Agent\");",
    "}",
    "",
    "void Tools()",
    "{",
    "     Execute (\"C:\\Apps\\a.exe\", \"-x\", 5, \"\");",
    "     Execute (\"C:\\Apps\\b.exe\", \"\", 2, \"\");",
    "}",
    "",
    "void My_startup_things()",
    "{",
    "     Execute (\"C:\\Apps\\c.exe\", \"\", 0, \"\");",
    "}",
});

class ProgramGroupsTest : public ::testing::Test, public SecondaryRig {
protected:
  void SetUp() override {
    world.AddFile(kFile, kGroupsFile);
    for (const char* program : {"a.exe", "b.exe", "c.exe", "new.exe"})
      world.AddFile(std::string("C:\\Apps\\") + program, "MZ");
    world.AddFile(kCurrentUserItems + "Only.lnk", "shortcut");
    editor.Load();
    changes.clear();
  }

  void Click(const std::string& key) {
    const TreeModel::NodeId node = editor.Tree().Find(key);
    ASSERT_NE(node, TreeModel::kNoNode) << key;
    editor.NodeClicked(node);
  }
  void TypeGroup(const std::string& name) {
    editor.Fields().GroupName = name;
    editor.GroupNameChanged();
  }
  void TypePath(const std::string& path) {
    editor.Fields().Path = path;
    editor.PathChanged();
  }
  std::size_t BoxCount() const { return platform.messageBoxes().size(); }
  const sim::MessageBoxRecord& LastBox() const { return platform.messageBoxes().back(); }
  const ProgramGroup* Group(const std::string& name) const {
    for (const ProgramGroup& group : context.Store.ProgramGroups) {
      if (group.Name == name)
        return &group;
    }
    return nullptr;
  }

  ProgramGroupsEditor editor{context};
  ProgramGroupsFields& fields = editor.Fields();
};

TEST_F(ProgramGroupsTest, LoadShowsTheFileAsATreeAndListsTheGroups) {
  const TreeModel& tree = editor.Tree();
  ASSERT_EQ(tree.Roots().size(), 1u);
  const auto& root = tree.At(tree.Roots().front());
  EXPECT_EQ(root.text, "Program Groups");
  EXPECT_TRUE(root.expanded);
  EXPECT_EQ(fields.GroupList, (std::vector<std::string>{"Startup", "Tools", "My startup things"}));
  // File order in the tree, delay order in the tables.
  EXPECT_EQ(tree.At(tree.Find("ToolsProgramPath0")).text, "C:\\Apps\\a.exe");
  EXPECT_EQ(Group("Tools")->Programs[0].Path, "C:\\Apps\\b.exe");
  EXPECT_EQ(KindOfGroupNode(tree, tree.Find("ToolsProgramDelay1")), GroupNodeKind::kDelay);
  EXPECT_EQ(NodeFullPath(tree, tree.Find("ToolsProgramParameters0")),
            "Program Groups\\Tools\\C:\\Apps\\a.exe\\-x");
}

TEST_F(ProgramGroupsTest, ClickingANodeFillsTheFieldsAndRemembersThem) {
  struct Case {
    const char* key;
    const char* group;
    const char* path;
    const char* parameters;
    const char* delay;
  };
  const Case cases[] = {
      {"ToolsProgramPath0", "Tools", "C:\\Apps\\a.exe", "-x", "5"},
      {"ToolsProgramParameters0", "Tools", "C:\\Apps\\a.exe", "-x", "5"},
      {"ToolsProgramDelay1", "Tools", "C:\\Apps\\b.exe", "", "2"},
      // A group node empties path and parameters but leaves the delay.
      {"Tools", "Tools", "", "", "2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    Click(c.key);
    EXPECT_EQ(fields.GroupName, c.group);
    EXPECT_EQ(fields.Path, c.path);
    EXPECT_EQ(fields.Parameters, c.parameters);
    EXPECT_EQ(fields.Delay, c.delay);
    EXPECT_EQ(editor.Remembered().Group, c.group);
    EXPECT_EQ(editor.Remembered().Path, c.path);
    EXPECT_EQ(editor.Remembered().Parameters, c.parameters);
  }
  editor.NodeClicked(editor.Tree().Roots().front());
  EXPECT_EQ(editor.Remembered().Group, "");
  EXPECT_EQ(editor.Remembered().Path, "");
}

TEST_F(ProgramGroupsTest, NothingOfTheStartupGroupCanBeRemovedHere) {
  struct Case {
    const char* key;
    bool removable;
  };
  const Case cases[] = {
      {"Root", false},
      {"Startup", false},
      {"StartupProgramPath0", false},
      {"StartupProgramParameters1", false},
      {"StartupProgramDelay1", false},
      // The word anywhere in the node's full path counts.
      {"My startup things", false},
      {"My startup thingsProgramPath0", false},
      {"Tools", true},
      {"ToolsProgramPath1", true},
      {"ToolsProgramDelay0", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    Click(c.key);
    EXPECT_EQ(fields.RemoveEnabled, c.removable);
  }
}

TEST_F(ProgramGroupsTest, ButtonStatesFollowTheGroupName) {
  // Nothing selected yet: a new name may become a group, but programs are
  // only added once a node was clicked.
  TypeGroup("Games");
  EXPECT_TRUE(fields.AddGroupEnabled);
  EXPECT_FALSE(fields.AddEnabled);
  EXPECT_FALSE(fields.EditGroupEnabled);
  EXPECT_FALSE(fields.AddNewEnabled);

  Click("Tools");
  EXPECT_FALSE(fields.AddGroupEnabled) << "the name of an existing group";
  EXPECT_FALSE(fields.EditGroupEnabled);
  EXPECT_TRUE(fields.AddNewEnabled);
  EXPECT_TRUE(fields.AddNewSelected);
  EXPECT_EQ(editor.AddButtonCaption(), "B3");

  TypeGroup("Games");
  EXPECT_TRUE(fields.AddGroupEnabled);
  EXPECT_TRUE(fields.EditGroupEnabled) << "a free name for the selected group";
  TypePath("C:\\Apps\\new.exe");
  EXPECT_FALSE(fields.AddEnabled) << "the group does not exist yet";

  editor.AddGroupClicked();
  EXPECT_EQ(fields.GroupList.back(), "Games");
  EXPECT_FALSE(fields.AddGroupEnabled);
  EXPECT_TRUE(fields.AddEnabled);
  EXPECT_NE(File().find("void Games()"), std::string::npos);

  TypePath("  ");
  EXPECT_FALSE(fields.AddEnabled) << "a blank path";
  TypeGroup("   ");
  EXPECT_FALSE(fields.AddGroupEnabled) << "a blank name";
  EXPECT_FALSE(fields.EditGroupEnabled);
}

TEST_F(ProgramGroupsTest, TheStartupGroupForcesEditMode) {
  Click("ToolsProgramPath0");
  ASSERT_TRUE(fields.AddNewSelected);
  editor.GroupChosen("Startup");
  EXPECT_FALSE(fields.AddNewEnabled);
  EXPECT_FALSE(fields.AddNewSelected);
  EXPECT_EQ(editor.AddButtonCaption(), "B7");
  EXPECT_FALSE(fields.EditGroupEnabled) << "no group is renamed to Startup";
  editor.ModeChosen(true);
  EXPECT_FALSE(fields.AddNewSelected) << "the option is disabled";

  Click("StartupProgramPath1");
  EXPECT_FALSE(fields.AddNewSelected);
  EXPECT_EQ(editor.AddButtonCaption(), "B7");
}

TEST_F(ProgramGroupsTest, AddingAProgramChecksItsFieldsFirst) {
  struct Case {
    const char* name;
    const char* group;
    const char* path;
    const char* parameters;
    const char* delay;
    const char* box; // caption|text, or empty when the program is added
    EditorFocus focus;
  };
  const Case cases[] = {
      {"no group", " ", "C:\\Apps\\new.exe", "", "1", "Vantrel - Enter Groupname|M3",
       EditorFocus::kGroupName},
      {"no path", "Tools", "  ", "", "1", "Vantrel - Enter Filename|M4", EditorFocus::kPath},
      {"missing file", "Tools", "C:\\Apps\\gone.exe", "", "1", "Vantrel - File not Found|M5",
       EditorFocus::kPath},
      {"a folder is no file", "Tools", "C:\\Apps", "", "1", "Vantrel - File not Found|M5",
       EditorFocus::kPath},
      {"two points", "Tools", "C:\\Apps\\new.exe", "", "1.2.3",
       "Vantrel|Please enter the delay as a number", EditorFocus::kDelay},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Click("ToolsProgramPath0");
    fields.GroupName = c.group;
    fields.Path = c.path;
    fields.Parameters = c.parameters;
    fields.Delay = c.delay;
    const std::size_t boxes = BoxCount();
    editor.AddClicked();
    ASSERT_EQ(BoxCount(), boxes + 1);
    EXPECT_EQ((LastBox().caption + "|" + LastBox().text).rfind(c.box, 0), 0u)
        << LastBox().caption << "|" << LastBox().text;
    EXPECT_EQ(LastBox().flags, kMbOk | kMbIconExclamation);
    EXPECT_EQ(editor.TakeFocusRequest(), c.focus);
    EXPECT_EQ(File(), kGroupsFile) << "nothing is saved";
    EXPECT_EQ(fields.Path, c.path) << "the fields keep their contents";
    EXPECT_EQ(editor.Remembered().Group, "Tools");
  }
}

TEST_F(ProgramGroupsTest, AddingAProgramSavesItAndEmptiesTheFields) {
  Click("Tools");
  fields.Path = "  C:\\Apps\\new.exe ";
  fields.Parameters = " -min ";
  fields.Delay = "2.5";
  editor.AddClicked();
  EXPECT_TRUE(platform.messageBoxes().empty());
  EXPECT_NE(File().find("     Execute (\"C:\\Apps\\new.exe\", \"-min\", 2.5, \"\");\r\n"),
            std::string::npos)
      << File();
  EXPECT_EQ(fields.GroupName, "");
  EXPECT_EQ(fields.Path, "");
  EXPECT_EQ(fields.Parameters, "");
  EXPECT_EQ(fields.Delay, "0");
  EXPECT_EQ(editor.Remembered().Group, "");
  EXPECT_NE(editor.Tree().Find("ToolsProgramPath2"), TreeModel::kNoNode) << "tree rebuilt";

  // An empty delay box adds the program without a delay.
  editor.GroupChosen("Tools");
  fields.Path = "C:\\Apps\\c.exe";
  fields.Delay = "";
  editor.ModeChosen(true);
  editor.AddClicked();
  EXPECT_NE(File().find("     Execute (\"C:\\Apps\\c.exe\", \"\", 0, \"\");"), std::string::npos);
}

TEST_F(ProgramGroupsTest, AFileFoundOnlyInAnItemsFolderIsAddedByItsName) {
  Click("Tools");
  fields.Path = "Only.lnk";
  editor.AddClicked();
  EXPECT_TRUE(platform.messageBoxes().empty());
  ASSERT_NE(Group("Tools"), nullptr);
  bool found = false;
  for (const ProgramEntry& entry : Group("Tools")->Programs)
    found = found || (entry.Path == "Only.lnk" && entry.Command == "Execute");
  EXPECT_TRUE(found);
}

TEST_F(ProgramGroupsTest, EditingOnlyTheDelayKeepsCommandAndRegistryName) {
  Click("StartupProgramPath1");
  ASSERT_FALSE(fields.AddNewSelected);
  fields.Delay = "12";
  editor.AddClicked();
  EXPECT_NE(File().find("     ExecuteReg (\"C:\\Tools\\agent.exe\", \"-q\", 12, \"Agent\");\r\n"),
            std::string::npos)
      << File();
  const ProgramGroup* startup = Group("Startup");
  ASSERT_NE(startup, nullptr);
  ASSERT_EQ(startup->Programs.size(), 2u);
  EXPECT_EQ(startup->Programs[1].Path, "C:\\Tools\\agent.exe");
  EXPECT_EQ(startup->Programs[1].Delay, 12.0f);
  EXPECT_EQ(startup->Programs[0].Path, "Tool.lnk") << "the other program is untouched";
}

TEST_F(ProgramGroupsTest, EditingPathAndParametersOfTheProgramShown) {
  Click("ToolsProgramPath0");
  editor.ModeChosen(false);
  fields.Path = "C:\\Apps\\c.exe";
  fields.Parameters = "-y";
  editor.AddClicked();
  EXPECT_NE(File().find("Execute (\"C:\\Apps\\c.exe\", \"-y\", 5, \"\");"), std::string::npos);
  EXPECT_EQ(File().find("a.exe"), std::string::npos);

  // Quotes in the parameters are kept, written as codes.
  Click("ToolsProgramPath0");
  editor.ModeChosen(false);
  fields.Parameters = "say \"hi\"";
  editor.AddClicked();
  EXPECT_NE(File().find("\"say <&22>hi<&22>\""), std::string::npos) << File();
}

TEST_F(ProgramGroupsTest, EditWithoutASelectedProgramSavesNothingNew) {
  editor.GroupChosen("Startup");
  fields.Path = "x";
  fields.Delay = "7";
  editor.AddClicked();
  EXPECT_EQ(fields.Path, "");
  EXPECT_EQ(fields.Delay, "0");
  EXPECT_FALSE(fields.AddNewEnabled);
  EXPECT_EQ(editor.TakeFocusRequest(), EditorFocus::kPath);
  EXPECT_EQ(File(), kGroupsFile);
}

TEST_F(ProgramGroupsTest, RemovingAGroupAsksFirstAndNoChangesNothing) {
  Click("Tools");
  platform.QueueMessageBoxAnswer(kIdNo);
  const auto tablesBefore = context.Store.ProgramGroups;
  editor.RemoveClicked();
  ASSERT_EQ(BoxCount(), 1u);
  EXPECT_EQ(LastBox().caption, "Comfirm Group Remove");
  EXPECT_EQ(LastBox().text, "M10");
  EXPECT_EQ(LastBox().flags, kMbYesNo | kMbIconInformation | 0x100u) << "No is the default";
  EXPECT_EQ(File(), kGroupsFile);
  EXPECT_EQ(context.Store.ProgramGroups, tablesBefore);
  EXPECT_TRUE(changes.empty());

  platform.QueueMessageBoxAnswer(kIdYes);
  editor.RemoveClicked();
  EXPECT_EQ(File().find("void Tools()"), std::string::npos);
  EXPECT_EQ(fields.GroupList, (std::vector<std::string>{"Startup", "My startup things"}));
}

TEST_F(ProgramGroupsTest, RemovingFromTheStartupGroupIsRefused) {
  struct Case {
    const char* key;
    const char* box;
  };
  const Case cases[] = {
      {"Startup", "Vantrel|M11"},
      {"StartupProgramPath0", "Vantrel|M12"},
      {"StartupProgramDelay1", "Vantrel|M12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    Click(c.key);
    const std::size_t boxes = BoxCount();
    editor.RemoveClicked();
    ASSERT_EQ(BoxCount(), boxes + 1);
    EXPECT_EQ(Boxes().back(), c.box);
    EXPECT_EQ(LastBox().flags, kMbOk | kMbIconInformation);
    EXPECT_EQ(File(), kGroupsFile);
  }
}

TEST_F(ProgramGroupsTest, RemovingAProgramTakesTheOneShown) {
  Click("ToolsProgramDelay0"); // a.exe, below its path node
  editor.RemoveClicked();
  EXPECT_TRUE(platform.messageBoxes().empty());
  EXPECT_EQ(File().find("a.exe"), std::string::npos);
  EXPECT_NE(File().find("b.exe"), std::string::npos);
}

TEST_F(ProgramGroupsTest, RenamingAGroup) {
  Click("ToolsProgramPath1");
  TypeGroup("Games");
  ASSERT_TRUE(fields.EditGroupEnabled);
  const std::uint32_t revision = editor.TreeRevision();
  editor.EditGroupClicked();
  EXPECT_NE(File().find("void Games()"), std::string::npos);
  EXPECT_EQ(File().find("void Tools()"), std::string::npos);
  EXPECT_EQ(editor.Tree().At(FindGroupNode(editor.Tree(), "Games")).children.size(), 2u);
  EXPECT_GT(editor.TreeRevision(), revision);
  EXPECT_EQ(fields.GroupList, (std::vector<std::string>{"Startup", "Games", "My startup things"}));
  EXPECT_EQ(editor.Remembered().Group, "Games");
  EXPECT_FALSE(fields.EditGroupEnabled) << "the name is taken now";
}

TEST_F(ProgramGroupsTest, RenamesThatWouldLoseOrBreakAGroupAreRefused) {
  struct Case {
    const char* name;
    const char* select;
    const char* newName;
    const char* box; // empty: refused without a message
  };
  const Case cases[] = {
      {"blank name", "Tools", "  ", ""},
      {"name of another group", "Tools", "My startup things", ""},
      {"the Startup group", "Startup", "Boot", "Vantrel|The group \"Startup\""},
      {"to Startup", "Tools", "Startup", "Vantrel|The group \"Startup\""},
      {"underscore", "Tools", "My_Tools", "Vantrel|A group name cannot contain an underscore"},
      {"tab", "Tools", "A\tB", "Vantrel|The program groups file cannot hold"},
      {"tree root key", "Tools", "Root", "Vantrel|The program groups file cannot hold"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Click(c.select);
    fields.GroupName = c.newName;
    const std::size_t boxes = BoxCount();
    editor.EditGroupClicked();
    EXPECT_EQ(File(), kGroupsFile);
    if (std::string(c.box).empty()) {
      EXPECT_EQ(BoxCount(), boxes);
    } else {
      ASSERT_EQ(BoxCount(), boxes + 1);
      EXPECT_EQ(Boxes().back().rfind(c.box, 0), 0u) << Boxes().back();
    }
  }
}

TEST_F(ProgramGroupsTest, AGroupNameWithAnUnderscoreIsNotAdded) {
  TypeGroup("Work_Tools");
  editor.AddGroupClicked();
  EXPECT_EQ(File(), kGroupsFile);
  ASSERT_EQ(BoxCount(), 1u);
  EXPECT_NE(LastBox().text.find("underscore"), std::string::npos);
}

TEST_F(ProgramGroupsTest, PropertiesOpensTheEditorOnTheDelayedItem) {
  EXPECT_TRUE(editor.ShowItem("Agent=C:\\Tools\\agent.exe -q"));
  EXPECT_EQ(editor.SelectedNode(), editor.Tree().Find("StartupProgramPath1"));
  EXPECT_EQ(fields.Path, "C:\\Tools\\agent.exe");
  EXPECT_EQ(fields.Delay, "5");
  EXPECT_FALSE(fields.AddNewSelected);

  EXPECT_TRUE(editor.ShowItem("Tool.lnk"));
  EXPECT_EQ(fields.Path, "Tool.lnk");

  EXPECT_FALSE(editor.ShowItem("Unknown.lnk"));
  EXPECT_EQ(editor.SelectedNode(), editor.Tree().Roots().front());
}

TEST_F(ProgramGroupsTest, SavingFailsLoudly) {
  failing = {sim::SimOp::kFileWrite, sim::SimOp::kFileReplace};
  EXPECT_FALSE(editor.OkClicked());
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"Vantrel|M8"}));
  ASSERT_FALSE(LogLines().empty());
  EXPECT_NE(LogLines().back().find("Program Groups error: "), std::string::npos)
      << LogLines().back();
  EXPECT_EQ(File(), kGroupsFile);
}

TEST_F(ProgramGroupsTest, AFileThatFailsToLoadShowsTheLoadError) {
  world.AddFile(kFile, CrLf({"void Tools()", "{", "     Execute (\"C:\\a.exe\", \"\", 1, \"\");",
                             "}", "void Tools()", "{", "}"}));
  ProgramGroupsEditor second(context);
  second.Load();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"Vantrel - Error|M13"}));
  EXPECT_NE(second.Tree().Find("ToolsProgramPath0"), TreeModel::kNoNode)
      << "the tree as far as it was built";
}

TEST_F(ProgramGroupsTest, AMissingFileIsCreatedAndShown) {
  ASSERT_TRUE(platform.DeleteFile(kFile));
  ProgramGroupsEditor second(context);
  second.Load();
  EXPECT_NE(File().find("void Startup()"), std::string::npos);
  EXPECT_NE(second.Tree().Find("Startup"), TreeModel::kNoNode);
  EXPECT_EQ(second.Fields().GroupList, (std::vector<std::string>{"Startup"}));
}

TEST(ProgramGroupsKeys, TheDelayFieldTakesDigitsPointAndBackspace) {
  for (int code : std::initializer_list<int>{'0', '1', '2', '9', '.', 8}) {
    SCOPED_TRACE(code);
    EXPECT_TRUE(IsEditorDelayKey(code));
  }
  for (int code : std::initializer_list<int>{'a', 'Z', '-', '+', ',', ' ', 'e', 22, 127}) {
    SCOPED_TRACE(code);
    EXPECT_FALSE(IsEditorDelayKey(code));
  }
}

TEST(ProgramGroupTextRules, WhatTheFileCannotCarryIsNamed) {
  const auto entry = [](std::string path, std::string parameters, std::string registryName) {
    ProgramEntry e;
    e.Path = std::move(path);
    e.Parameters = std::move(parameters);
    e.RegistryName = std::move(registryName);
    e.Command = "Execute";
    e.Delay = 2.5f;
    return e;
  };
  struct Case {
    const char* name;
    std::string group;
    ProgramEntry program;
    TextProblem expected;
  };
  const Case cases[] = {
      {"plain", "My Tools", entry("C:\\a b\\x.exe", "-q /s", ""), TextProblem::kNone},
      {"url parameters", "Web", entry("C:\\x.exe", "http://a.example//b", ""), TextProblem::kNone},
      {"quoted path", "Web", entry("\"C:\\a b\\x.exe\"", "", ""), TextProblem::kNone},
      {"underscore", "My_Tools", entry("C:\\x.exe", "", ""), TextProblem::kUnderscoreInGroupName},
      // proggroup.c writes codes for what its quoted fields cannot hold.
      {"quote in parameters", "Web", entry("C:\\x.exe", "a\"b", ""), TextProblem::kNone},
      {"registry comma and parenthesis", "Startup", entry("C:\\x.exe", "", "a,b)"),
       TextProblem::kNone},
      {"brace in parameters", "Web", entry("C:\\x.exe", "{a}", ""), TextProblem::kNone},
      {"tab in path", "Web", entry("C:\\x\t.exe", "", ""), TextProblem::kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CheckProgram(c.group, c.program), c.expected);
  }
  EXPECT_EQ(CheckGroupName("Games and more"), TextProblem::kNone);
  EXPECT_EQ(CheckGroupName("Root"), TextProblem::kNotCarried);
  EXPECT_EQ(CheckGroupName("a // b"), TextProblem::kNotCarried);
}

} // namespace
} // namespace vantrel
