// frmProgramGroups: the program-group editor, shown modally by the main
// window's Program Groups menu and by its Properties command on a delayed
// item. The logic lives in ProgramGroupsEditor; this view copies the
// controls into it before each event and back afterwards.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/platform/win32/win32_api.h"
#include "vantrel/app/app_context.h"
#include "vantrel/editor/program_groups_logic.h"
#include "vantrel/win32ui/dialog_window.h"
#include "vantrel/win32ui/tree_view_mirror.h"

namespace vantrel::win32ui {

class ProgramGroupsWindow : private DialogWindow {
public:
  // Shows the editor modally, owned by owner, with the dialogs of the
  // resources module (Vantrel.exe's own). With propertiesItem, the text of
  // a delayed item, it opens on that item's program. Returns at once when
  // the editor is already open.
  static void ShowProgramGroups(AppContext& context, HMODULE resources, HWND owner,
                                std::string_view propertiesItem = {});

private:
  ProgramGroupsWindow(AppContext& context, std::string_view propertiesItem);

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnInit();
  void OnCommand(int id, int notification);
  void OnTreeNotify(const NMHDR& header);
  // Controls into the editor's fields, and the editor's state back.
  void ReadFields();
  void ShowState();
  std::string BrowseForProgram() const;

  static ProgramGroupsWindow* open_;

  AppContext& context_;
  ProgramGroupsEditor editor_;
  std::string propertiesItem_;
  std::unique_ptr<TreeViewMirror> tree_;
  std::uint32_t shownRevision_ = 0;
  // Set while the view writes its controls: their notifications are ours.
  bool showing_ = false;
};

} // namespace vantrel::win32ui
