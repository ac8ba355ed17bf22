#pragma once

#include "controls/control_set.h"
#include "controls/feature.h"
#include "platform/registry.h"

namespace tidora::extensions {

// The Tools&Menu panel: its lists are filled afresh each time it is shown.
class ExtensionManager final : public ui::Feature {
 public:
  ExtensionManager(ui::ControlSet& controls, platform::Registry& registry)
      : controls_(controls), registry_(registry) {}

  bool HandleClick(ui::ControlId id) override;
  void PanelShown(ui::ControlId panel) override;

 private:
  ui::ControlSet& controls_;
  platform::Registry& registry_;
};

}  // namespace tidora::extensions
