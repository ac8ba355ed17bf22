#include "tests/support/headless_control_set.h"

#include <algorithm>
#include <stdexcept>

namespace tidora::testing {

using ui::ControlId;

HeadlessControlSet::HeadlessControlSet() {
  states_[ControlId::kMainWindow] = {};
  states_[ControlId::kSplashWindow] = {};
  for (auto table : {ui::MainWindowControls(), ui::SplashWindowControls()}) {
    for (const auto& entry : table) {
      State state;
      state.kind = entry.kind;
      state.caption = entry.caption;
      state.ticked = entry.ticked;
      state.visible = entry.kind != ui::ControlKind::kPanel || entry.id == ControlId::CleanItems;
      if (entry.kind == ui::ControlKind::kGrid) state.rows.resize(2);
      states_[entry.id] = std::move(state);
    }
  }
}

void HeadlessControlSet::SetCaption(ControlId id, std::string_view caption) {
  At(id).caption = caption;
}

void HeadlessControlSet::SetPosition(ControlId id, int position) {
  At(id).position = std::clamp(position, 0, 100);
}

int HeadlessControlSet::RowCount(ControlId id) const {
  return static_cast<int>(At(id).rows.size());
}

void HeadlessControlSet::SetRowCount(ControlId id, int rows) {
  At(id).rows.resize(static_cast<size_t>(std::max(rows, 1)));
}

std::string HeadlessControlSet::Cell(ControlId id, int row, int column) const {
  return At(id).rows.at(static_cast<size_t>(row)).at(static_cast<size_t>(column));
}

void HeadlessControlSet::SetCell(ControlId id, int row, int column, std::string_view text) {
  At(id).rows.at(static_cast<size_t>(row)).at(static_cast<size_t>(column)) = text;
}

// As a list view scrolls: never past the point where the last row reaches the bottom.
void HeadlessControlSet::SetTopRow(ControlId id, int row) {
  const int last_top = std::max(1, RowCount(id) - ui::kGridVisibleRows);
  At(id).top_row = std::clamp(row, 1, last_top);
}

void HeadlessControlSet::AddItem(ControlId id, std::string_view text) {
  At(id).items.emplace_back(std::string(text), false);
}

int HeadlessControlSet::ItemCount(ControlId id) const {
  return static_cast<int>(At(id).items.size());
}

std::string HeadlessControlSet::ItemText(ControlId id, int index) const {
  return At(id).items.at(static_cast<size_t>(index)).first;
}

bool HeadlessControlSet::ItemTicked(ControlId id, int index) const {
  return At(id).items.at(static_cast<size_t>(index)).second;
}

void HeadlessControlSet::SetItemTicked(ControlId id, int index, bool ticked) {
  At(id).items.at(static_cast<size_t>(index)).second = ticked;
}

std::vector<ControlId> HeadlessControlSet::VisiblePanels() const {
  std::vector<ControlId> visible;
  for (ControlId panel : ui::kPanels) {
    if (At(panel).visible) visible.push_back(panel);
  }
  return visible;
}

}  // namespace tidora::testing
