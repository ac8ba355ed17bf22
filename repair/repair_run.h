#pragma once

#include "controls/control_set.h"
#include "controls/feature.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "repair/repair_options.h"

namespace tidora::repair {

// The Repair Expert panel: its bar starts at 0 each time the panel is shown, and "Repare"
// applies the ticked options in their run order while the bar advances.
class RepairRun final : public ui::Feature {
 public:
  RepairRun(ui::ControlSet& controls, platform::Registry& registry, platform::FileSystem& files)
      : controls_(controls), registry_(registry), files_(files) {}

  bool HandleClick(ui::ControlId id) override;
  void PanelShown(ui::ControlId panel) override;

  // A registry error while overwriting a value escapes: the run ends there, the bar stays where
  // it was, and what was applied stays applied.
  void IER_RestoreClick();

 private:
  void Apply(const RepairOption& option);

  ui::ControlSet& controls_;
  platform::Registry& registry_;
  platform::FileSystem& files_;
};

}  // namespace tidora::repair
