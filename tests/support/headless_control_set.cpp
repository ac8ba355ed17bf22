#include "tests/support/headless_control_set.h"

#include <iterator>

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
  std::ranges::copy_if(ui::kPanels, std::back_inserter(visible),
                       [&](Id id) { return Visible(id); });
  return visible;
}
}  // namespace tidora::testing
