#include "cli/headless_controls.h"

#include <algorithm>

#include "ui/layout.h"

namespace tidora::cli {

namespace {

// An index out of the list's range reads as the value's default.
template <typename Value, typename List>
Value ValueAt(const List& list, int index, Value List::value_type::*member) {
  if (index < 0 || index >= static_cast<int>(list.size())) return Value{};
  return list[index].*member;
}

}  // namespace

HeadlessControls::HeadlessControls(SizeFormat format_size) : format_size_(std::move(format_size)) {
  for (const ui::LayoutRow& row : ui::MainWindowControls()) {
    State& state = states_[row.id];
    state.caption = row.caption;
    state.ticked = row.ticked;
    if (row.kind == ui::ControlKind::kGrid) state.rows.resize(2);
  }
}

const HeadlessControls::State& HeadlessControls::At(Id id) const {
  static const State kNever;  // a control the layout lacks, never set
  const auto found = states_.find(id);
  return found == states_.end() ? kNever : found->second;
}

void HeadlessControls::SetRowCount(Id id, int rows) {
  At(id).rows.resize(static_cast<std::size_t>(std::max(rows, 1)));
}

std::string HeadlessControls::Cell(Id id, int row, int column) const {
  const auto& rows = At(id).rows;
  if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0) return {};
  const auto& cells = rows[row];
  return column < static_cast<int>(cells.size()) ? cells[column] : std::string();
}

void HeadlessControls::SetCell(Id id, int row, int column, std::string_view text) {
  auto& rows = At(id).rows;
  if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0) return;
  auto& cells = rows[row];
  if (column >= static_cast<int>(cells.size())) cells.resize(column + 1);
  cells[column] = text;
}

std::string HeadlessControls::ItemText(Id id, int index) const {
  return ValueAt(At(id).items, index, &Item::text);
}

bool HeadlessControls::ItemTicked(Id id, int index) const {
  return ValueAt(At(id).items, index, &Item::ticked);
}

void HeadlessControls::SetItemTicked(Id id, int index, bool ticked) {
  auto& items = At(id).items;
  if (index >= 0 && index < static_cast<int>(items.size())) items[index].ticked = ticked;
}

int HeadlessControls::AddNode(Id id, int parent, std::string_view text) {
  auto& nodes = At(id).nodes;
  nodes.push_back({std::string(text), parent});
  return static_cast<int>(nodes.size()) - 1;
}

std::string HeadlessControls::NodeText(Id id, int node) const {
  return ValueAt(At(id).nodes, node, &Node::text);
}

int HeadlessControls::NodeParent(Id id, int node) const {
  const auto& nodes = At(id).nodes;
  if (node < 0 || node >= static_cast<int>(nodes.size())) return kNoNode;
  return nodes[node].parent;
}

ui::TickState HeadlessControls::NodeTick(Id id, int node) const {
  return ValueAt(At(id).nodes, node, &Node::tick);
}

void HeadlessControls::SetNodeTick(Id id, int node, ui::TickState tick) {
  auto& nodes = At(id).nodes;
  if (node >= 0 && node < static_cast<int>(nodes.size())) nodes[node].tick = tick;
}

}  // namespace tidora::cli
