// What the start-up, the launch engine and the tray menu need of the main
// window. The Win32 window implements it; native tests use a small fake.
#pragma once

namespace vantrel {

class MainWindowPort {
public:
  virtual ~MainWindowPort() = default;

  // Creates the window hidden and runs its load: the tray icon appears, and
  // in a windowed start the window shows itself and fills its tree.
  virtual void Load() = 0;
  virtual bool IsLoaded() const = 0;
  // True while the window is shown on screen (minimised counts as shown).
  virtual bool IsVisible() const = 0;
  virtual bool IsMinimized() const = 0;
  // The program's own unload: the window is asked to close, which closes it
  // for good under both close types. Nothing happens when it is not loaded.
  virtual void Unload() = 0;

  // Restores a minimised window to its normal size.
  virtual void Restore() = 0;
  // Makes the window visible and brings it to the front.
  virtual void ShowAndActivate() = 0;
  // Fills the item tree.
  virtual void RefreshData() = 0;
  // Shows the tip-of-the-day window modally.
  virtual void ShowTipOfTheDay() = 0;
};

} // namespace vantrel
