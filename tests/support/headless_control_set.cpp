#include "tests/support/headless_control_set.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace tidora::testing {
HeadlessControlSet::HeadlessControlSet() {
  states_[Id::kMainWindow] = states_[Id::kSplashWindow] = {};
  states_[Id::kDetailsWindow].visible = false;  // opened on demand
  states_[Id::DetailsText].kind = ui::ControlKind::kTextBox;
  for (auto table : {ui::MainWindowControls(), ui::SplashWindowControls()}) {
    for (const auto& entry : table) {
      State& state = states_[entry.id];
      state.kind = entry.kind;
      state.caption = entry.caption;
      state.ticked = entry.ticked;
      state.visible = entry.kind != ui::ControlKind::kPanel || entry.id == Id::CleanItems;
      if (entry.kind == ui::ControlKind::kGrid) state.rows.resize(2);
    }
  }
}

int HeadlessControlSet::AddNode(Id id, int parent, std::string_view text) {
  auto& nodes = At(id).nodes;
  if (At(id).kind != ui::ControlKind::kCheckTree) return kNoNode;
  if (parent != kNoNode && (parent < 0 || size_t(parent) >= nodes.size()))
    throw std::out_of_range("no such parent node");
  nodes.push_back({std::string(text), parent});
  return static_cast<int>(nodes.size()) - 1;
}

void HeadlessControlSet::ShowTextWindow(Id window, std::string_view title, std::string_view text) {
  if (window != Id::kDetailsWindow) throw std::out_of_range("no such text window");
  At(window).caption = title;
  At(window).visible = true;
  At(Id::DetailsText).caption = text;
}

void HeadlessControlSet::UserTicks(Id tree, int node) {
  const bool ticked = NodeTick(tree, node) == ui::TickState::kTicked;
  SetNodeTick(tree, node, ticked ? ui::TickState::kUnticked : ui::TickState::kTicked);
  RaiseNodeTicked(tree, node);
}

std::string HeadlessControlSet::FormatByteSize(std::uint64_t bytes) const {
  if (bytes < 1024) return std::to_string(bytes) + " bytes";
  // Below each limit: divided, cut off (never rounded) to that many decimals, and the unit.
  struct Format {
    double limit, divisor;
    int decimals;
    const char* unit;
  };
  constexpr double kK = 1024, kM = kK * kK, kG = kM * kK;
  constexpr Format kFormats[] = {
      {10 * kK, kK / 100, 2, "KB"}, {100 * kK, kK / 10, 1, "KB"}, {1000 * kK, kK, 0, "KB"},
      {10 * kM, kM / 100, 2, "MB"}, {100 * kM, kM / 10, 1, "MB"}, {1000 * kM, kM, 0, "MB"},
      {10 * kG, kG / 100, 2, "GB"}, {100 * kG, kG / 10, 1, "GB"}, {1e300, kG, 0, "GB"}};
  const Format* format = kFormats;
  while (bytes >= format->limit) ++format;
  const double shown =
      std::floor((double(bytes) + 0.00001) / format->divisor) / std::pow(10.0, format->decimals);
  char text[32];
  std::snprintf(text, sizeof text, "%.*f %s", format->decimals, shown, format->unit);
  return text;
}

std::vector<ui::ControlId> HeadlessControlSet::VisiblePanels() const {
  std::vector<Id> visible;
  for (Id id : ui::kPanels)
    if (Visible(id)) visible.push_back(id);
  return visible;
}
}  // namespace tidora::testing
