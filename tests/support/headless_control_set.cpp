#include "tests/support/headless_control_set.h"

namespace tidora::testing {
HeadlessControlSet::HeadlessControlSet() {
  states_[Id::kMainWindow] = states_[Id::kSplashWindow] = {};
  for (auto table : {ui::MainWindowControls(), ui::SplashWindowControls()}) {
    for (const auto& entry : table) {
      State& state = states_[entry.id];
      state.caption = entry.caption;
      state.ticked = entry.ticked;
      state.visible = entry.kind != ui::ControlKind::kPanel || entry.id == Id::CleanItems;
      if (entry.kind == ui::ControlKind::kGrid) state.rows.resize(2);
    }
  }
}

std::vector<ui::ControlId> HeadlessControlSet::VisiblePanels() const {
  std::vector<Id> visible;
  for (Id id : ui::kPanels)
    if (Visible(id)) visible.push_back(id);
  return visible;
}
}  // namespace tidora::testing
