#pragma once

#include "platform/registry.h"
#include "platform/shell.h"
#include "ui/control_set.h"

namespace tidora::ui {

inline constexpr char kApplicationTitle[] = "Tidora";

// The main window's own behaviour: what it does at creation, the navigation between its five
// panels, Close and Help. The panels' features hang their handlers on Click.
class MainForm {
 public:
  MainForm(ControlSet& controls, platform::Registry& registry, platform::Shell& shell);

  // Disables the Netscape and Office groups where those products are absent, writes the grid
  // headers and assigns the hints. Checkbox states and the visible panel stay as created.
  void FormCreate();
  // The navigation and top-right buttons; true when the click was one of theirs.
  bool HandleClick(ControlId id);

  void bntTraceCleanerClick();
  void bntIERepairClick();
  void bntToolsMenuClick();
  void bntAboutClick();
  void bntCloseClick();
  void bntHelpClick();

  bool NetscapePresent();
  bool OfficePresent();

 private:
  void ShowOnlyPanel(ControlId panel);

  ControlSet& controls_;
  platform::Registry& registry_;
  platform::Shell& shell_;
};

}  // namespace tidora::ui
