#include "repair/repair_run.h"

#include <iterator>

namespace tidora::repair {

namespace {

constexpr int kStep = 5;

}  // namespace

bool RepairRun::HandleClick(ui::ControlId id) {
  if (id != ui::ControlId::IER_Restore) return false;
  IER_RestoreClick();
  return true;
}

void RepairRun::PanelShown(ui::ControlId panel) {
  if (panel == ui::ControlId::IERepare) controls_.SetPosition(ui::ControlId::RepairProgressBar, 0);
}

// Each option but the last steps the bar by 5, ticked or not; the last takes it to 100.
void RepairRun::IER_RestoreClick() {
  int position = 0;
  controls_.SetPosition(ui::ControlId::RepairProgressBar, position);
  constexpr auto kOptions = std::size(kRepairOptions);
  for (std::size_t i = 0; i < kOptions; ++i) {
    if (controls_.Ticked(kRepairOptions[i].checkbox)) Apply(kRepairOptions[i]);
    if (i + 1 < kOptions) {
      position += kStep;
      controls_.SetPosition(ui::ControlId::RepairProgressBar, position);
    }
  }
  controls_.SetPosition(ui::ControlId::RepairProgressBar, 100);
}

void RepairRun::Apply(const RepairOption& option) {
  for (const char* value : option.values) {
    if (!value) continue;
    switch (option.change) {
      case Change::kDeleteIfPresent:
        DeleteIfPresent(registry_, option.roots, option.key, value);
        break;
      case Change::kOverwriteIfPresent:
        OverwriteIfPresent(registry_, option.roots, option.key, value, option.text);
        break;
      case Change::kDeleteExplorerPolicy:
        DeleteExplorerPolicy(registry_, value);
        break;
      case Change::kPolicyOff:
      case Change::kRestartRepair:
        break;
    }
  }
  // The setters absorb their failures; their results tell nothing the run acts on.
  for (PolicySetter setter : option.setters) {
    if (setter) setter(registry_, false);
  }
  if (option.change == Change::kRestartRepair) RestartRepair(registry_, files_);
}

}  // namespace tidora::repair
