#pragma once

#include <algorithm>
#include <array>
#include <map>
#include <vector>

#include "controls/control_set.h"
#include "ui/layout.h"

namespace tidora::testing {
// Both windows' controls as plain state, made from the layout; an unknown id throws.
class HeadlessControlSet : public ui::ControlSet {
 public:
  using Id = ui::ControlId;
  HeadlessControlSet();
  std::string Caption(Id id) const override { return At(id).caption; }
  void SetCaption(Id id, std::string_view caption) override { At(id).caption = caption; }
  bool Enabled(Id id) const override { return At(id).enabled; }
  void SetEnabled(Id id, bool enabled) override { At(id).enabled = enabled; }
  bool Visible(Id id) const override { return At(id).visible; }
  void SetVisible(Id id, bool visible) override { At(id).visible = visible; }
  bool Ticked(Id id) const override { return At(id).ticked; }
  void SetTicked(Id id, bool ticked) override { At(id).ticked = ticked; }
  std::string Hint(Id id) const override { return At(id).hint; }
  void SetHint(Id id, std::string_view hint) override { At(id).hint = hint; }
  int Position(Id id) const override { return At(id).position; }
  void SetPosition(Id id, int position) override { At(id).position = std::clamp(position, 0, 100); }
  int RowCount(Id id) const override { return static_cast<int>(At(id).rows.size()); }
  void SetRowCount(Id id, int rows) override { At(id).rows.resize(std::max(rows, 1)); }
  std::string Cell(Id id, int row, int column) const override {
    return At(id).rows.at(row).at(Column(id, column));
  }
  void SetCell(Id id, int row, int column, std::string_view text) override {
    At(id).rows.at(row).at(Column(id, column)) = text;
  }
  int ColumnCount(Id id) const override { return At(id).columns; }
  void SetColumnCount(Id id, int columns) override { At(id).columns = columns; }
  // As the system's shell formats sizes, truncating to three digits.
  std::string FormatByteSize(std::uint64_t bytes) const override;
  int TopRow(Id id) const override { return At(id).top_row; }
  // As a list view scrolls: the last row stays at the bottom.
  void SetTopRow(Id id, int row) override {
    At(id).top_row = std::clamp(row, 1, std::max(1, RowCount(id) - ui::kGridVisibleRows));
  }
  void ClearItems(Id id) override { At(id).items.clear(); }
  void AddItem(Id id, std::string_view text) override { At(id).items.emplace_back(text, false); }
  int ItemCount(Id id) const override { return static_cast<int>(At(id).items.size()); }
  std::string ItemText(Id id, int index) const override { return At(id).items.at(index).first; }
  bool ItemTicked(Id id, int index) const override { return At(id).items.at(index).second; }
  void SetItemTicked(Id id, int index, bool ticked) override {
    At(id).items.at(index).second = ticked;
  }
  void ClearNodes(Id id) override { At(id).nodes.clear(); }
  int AddNode(Id id, int parent, std::string_view text) override;
  int NodeCount(Id id) const override { return static_cast<int>(At(id).nodes.size()); }
  std::string NodeText(Id id, int node) const override { return At(id).nodes.at(node).text; }
  int NodeParent(Id id, int node) const override { return At(id).nodes.at(node).parent; }
  ui::TickState NodeTick(Id id, int node) const override { return At(id).nodes.at(node).tick; }
  void SetNodeTick(Id id, int node, ui::TickState tick) override {
    At(id).nodes.at(node).tick = tick;
  }
  // A user's click on the node's box, or space on it: unticked and partly become ticked, ticked
  // becomes unticked, and then the program hears it.
  void UserTicks(Id tree, int node);
  // Opens it, or gives it the new text.
  void ShowTextWindow(Id window, std::string_view title, std::string_view text) override;
  // The user's part in the list editor: what they save (nullopt: Cancel), given what it shows.
  std::function<std::optional<std::vector<std::string>>(const ListEdit&)> list_editor;
  std::optional<std::vector<std::string>> EditList(Id window, const ListEdit& edit) override {
    if (window != Id::kKeepListWindow || !list_editor) return std::nullopt;
    return list_editor(edit);
  }
  void Focus(Id) override {}
  void Repaint(Id) override {}
  void Click(Id id) override { RaiseClick(id); }
  void DispatchPendingInput() override {
    ++dispatches_;
    if (on_dispatch_) on_dispatch_(dispatches_);
  }
  // What the user does while input is handled, given the count of dispatches so far.
  void WhenInputIsDispatched(std::function<void(int)> user) { on_dispatch_ = std::move(user); }
  void EndApplication() override { ended_ = true; }
  bool ended() const { return ended_; }
  std::vector<Id> VisiblePanels() const;

 private:
  struct Node {
    std::string text;
    int parent;
    ui::TickState tick = ui::TickState::kUnticked;
  };
  struct State {
    ui::ControlKind kind = ui::ControlKind::kPanel;
    std::string caption, hint;
    bool enabled = true, visible = true, ticked = false;
    int position = 0, top_row = 1;
    std::vector<std::array<std::string, 4>> rows;
    int columns = 3;
    std::vector<std::pair<std::string, bool>> items;
    std::vector<Node> nodes;
  };
  // A column the grid does not have is out of range.
  size_t Column(Id id, int column) const {
    return column < At(id).columns ? size_t(column) : size_t(-1);
  }
  State& At(Id id) { return states_.at(id); }
  const State& At(Id id) const { return states_.at(id); }
  std::map<Id, State> states_;
  std::function<void(int)> on_dispatch_;
  int dispatches_ = 0;
  bool ended_ = false;
};
}  // namespace tidora::testing
