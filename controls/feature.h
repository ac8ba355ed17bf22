#pragma once

#include "controls/control_id.h"

namespace tidora::ui {

// A feature of the main window: the main form switches panels, each feature handles the buttons
// of its own panel and hears when a panel is shown.
class Feature {
 public:
  virtual ~Feature() = default;
  // True when the click was one of this feature's buttons.
  virtual bool HandleClick(ControlId id) = 0;
  // After the main form has shown a panel; features ignore the panels of others.
  virtual void PanelShown(ControlId /*panel*/) {}
  // After the user changed the tick of a node of a checked tree; true when the tree is this
  // feature's.
  virtual bool HandleNodeTicked(ControlId /*tree*/, int /*node*/) { return false; }
  // A slice of work done while the window waits for input, of 20 ms at most; true while more
  // remains. The program has no worker threads: long loading is cut into such slices.
  virtual bool IdleSlice() { return false; }
};

}  // namespace tidora::ui
