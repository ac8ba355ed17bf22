#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "controls/control_set.h"

namespace tidora::cli {

// The main window's controls as plain state, made from its layout, with no window behind them:
// the command line runs the window's features on it. Checkboxes start as the window shows them.
class HeadlessControls final : public ui::ControlSet {
 public:
  using Id = ui::ControlId;
  // How the system writes sizes for people ("3.39 MB").
  using SizeFormat = std::function<std::string(std::uint64_t bytes)>;

  explicit HeadlessControls(SizeFormat format_size);

  std::string Caption(Id id) const override { return At(id).caption; }
  void SetCaption(Id id, std::string_view caption) override { At(id).caption = caption; }
  bool Enabled(Id id) const override { return At(id).enabled; }
  void SetEnabled(Id id, bool enabled) override { At(id).enabled = enabled; }
  bool Visible(Id id) const override { return At(id).visible; }
  void SetVisible(Id id, bool visible) override { At(id).visible = visible; }
  bool Ticked(Id id) const override { return At(id).ticked; }
  void SetTicked(Id id, bool ticked) override { At(id).ticked = ticked; }
  std::string Hint(Id) const override { return {}; }
  void SetHint(Id, std::string_view) override {}
  int Position(Id id) const override { return At(id).position; }
  void SetPosition(Id id, int position) override { At(id).position = position; }

  int RowCount(Id id) const override { return static_cast<int>(At(id).rows.size()); }
  void SetRowCount(Id id, int rows) override;
  std::string Cell(Id id, int row, int column) const override;
  void SetCell(Id id, int row, int column, std::string_view text) override;
  int ColumnCount(Id id) const override { return At(id).columns; }
  void SetColumnCount(Id id, int columns) override { At(id).columns = columns; }
  int TopRow(Id id) const override { return At(id).top_row; }
  void SetTopRow(Id id, int row) override { At(id).top_row = row; }

  void ClearItems(Id id) override { At(id).items.clear(); }
  void AddItem(Id id, std::string_view text) override {
    At(id).items.push_back({std::string(text), false});
  }
  int ItemCount(Id id) const override { return static_cast<int>(At(id).items.size()); }
  std::string ItemText(Id id, int index) const override;
  bool ItemTicked(Id id, int index) const override;
  void SetItemTicked(Id id, int index, bool ticked) override;

  void ClearNodes(Id id) override { At(id).nodes.clear(); }
  int AddNode(Id id, int parent, std::string_view text) override;
  int NodeCount(Id id) const override { return static_cast<int>(At(id).nodes.size()); }
  std::string NodeText(Id id, int node) const override;
  int NodeParent(Id id, int node) const override;
  ui::TickState NodeTick(Id id, int node) const override;
  void SetNodeTick(Id id, int node, ui::TickState tick) override;

  void Focus(Id) override {}
  std::string FormatByteSize(std::uint64_t bytes) const override { return format_size_(bytes); }
  void Repaint(Id) override {}
  // No one can press anything: there is no input to handle.
  void DispatchPendingInput() override {}
  void Click(Id id) override { RaiseClick(id); }
  void EndApplication() override {}

 private:
  struct Node {
    std::string text;
    int parent = kNoNode;
    ui::TickState tick = ui::TickState::kUnticked;
  };
  struct Item {
    std::string text;
    bool ticked = false;
  };
  struct State {
    std::string caption;
    bool enabled = true, visible = true, ticked = false;
    int position = 0, top_row = 1, columns = 3;
    std::vector<std::vector<std::string>> rows;
    std::vector<Item> items;
    std::vector<Node> nodes;
  };

  State& At(Id id) { return states_[id]; }
  const State& At(Id id) const;

  SizeFormat format_size_;
  std::map<Id, State> states_;
};

}  // namespace tidora::cli
