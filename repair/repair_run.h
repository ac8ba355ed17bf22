#pragma once

#include "controls/control_set.h"
#include "controls/feature.h"
#include "platform/registry.h"

namespace tidora::repair {

// The Repair Expert panel: its bar starts at 0 each time the panel is shown.
class RepairRun final : public ui::Feature {
 public:
  RepairRun(ui::ControlSet& controls, platform::Registry& registry)
      : controls_(controls), registry_(registry) {}

  bool HandleClick(ui::ControlId id) override;
  void PanelShown(ui::ControlId panel) override;

 private:
  ui::ControlSet& controls_;
  platform::Registry& registry_;
};

}  // namespace tidora::repair
