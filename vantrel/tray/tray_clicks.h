// What a mouse notification from the tray icon leads to. Two left clicks
// show the main window, however far apart; a right click opens the menu.
#pragma once

#include <cstdint>

namespace vantrel {

enum class TrayMouse { kLeftClick, kLeftDoubleClick, kRightClick, kOther };
enum class TrayAction { kNone, kShowWindow, kShowMenu };

class TrayClickCounter {
public:
  TrayAction OnMouse(TrayMouse mouse);
  std::int16_t clicks() const { return clicks_; }

private:
  std::int16_t clicks_ = 0;
};

} // namespace vantrel
