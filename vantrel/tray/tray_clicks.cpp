#include "vantrel/tray/tray_clicks.h"

namespace vantrel {

TrayAction TrayClickCounter::OnMouse(TrayMouse mouse) {
  switch (mouse) {
  case TrayMouse::kLeftClick:
    if (++clicks_ < 2)
      return TrayAction::kNone;
    clicks_ = 0;
    return TrayAction::kShowWindow;
  case TrayMouse::kLeftDoubleClick:
    clicks_ = 0;
    return TrayAction::kShowWindow;
  case TrayMouse::kRightClick:
    clicks_ = 0;
    return TrayAction::kShowMenu;
  case TrayMouse::kOther:
    break;
  }
  return TrayAction::kNone;
}

} // namespace vantrel
