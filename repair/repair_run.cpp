#include "repair/repair_run.h"

namespace tidora::repair {

bool RepairRun::HandleClick(ui::ControlId) {
  return false;
}

void RepairRun::PanelShown(ui::ControlId panel) {
  if (panel == ui::ControlId::IERepare) controls_.SetPosition(ui::ControlId::RepairProgressBar, 0);
}

}  // namespace tidora::repair
