#pragma once

#include <span>

#include "controls/control_set.h"
#include "controls/feature.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace tidora::ui {

// The main window's own behaviour: what it does at creation, the navigation between its five
// panels, Close and Help. Each panel's feature handles its own buttons and hears when a panel is
// shown.
class MainForm {
 public:
  MainForm(ControlSet& controls, platform::Registry& registry, platform::Shell& shell,
           std::span<Feature* const> features = {});

  // Disables the Netscape and Office groups where those products are absent, writes the grid
  // headers and assigns the hints. Checkbox states and the visible panel stay as created.
  void FormCreate();
  // The navigation and top-right buttons; true when the click was one of theirs.
  bool HandleClick(ControlId id);
  // A tick the user changed in a checked tree, to the features until one owns the tree.
  bool HandleNodeTicked(ControlId tree, int node);
  // One slice of every feature's idle work; true while any has more.
  bool IdleSlice();

  void bntTraceCleanerClick();
  void bntIERepairClick();
  void bntToolsMenuClick();
  void bntAboutClick();
  void bntCloseClick();
  void bntHelpClick();

  bool NetscapePresent();
  bool OfficePresent();

 private:
  bool HandleOwnClick(ControlId id);
  void ShowOnlyPanel(ControlId panel);

  ControlSet& controls_;
  platform::Registry& registry_;
  platform::Shell& shell_;
  std::span<Feature* const> features_;
};

}  // namespace tidora::ui
