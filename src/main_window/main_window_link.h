#pragma once

#include <string>

namespace main_window {

// What the profile editor and the restore window may do to the main window while they are
// open: they disable it when they load and give it back when they close.
class MainWindowLink {
 public:
  virtual ~MainWindowLink() = default;

  // Keeps the main window on screen but takes its input away while a child window is open.
  virtual void DisableForChild() = 0;
  // Enables the main window again and rebuilds its profile list, as on every return to it.
  virtual void GiveBack() = 0;

  // The five profile commands: backup, confirm, restore, modify, delete.
  virtual void SetProfileCommandsEnabled(bool enabled) = 0;
  virtual void SetRestoreCaption(const std::string& caption) = 0;
  virtual void SetDescriptionText(const std::string& description) = 0;
  // The banner shows what a running backup or restore is doing; "" brings the title back.
  virtual void SetBanner(const std::string& text) = 0;
};

}  // namespace main_window
