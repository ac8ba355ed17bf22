#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/control_id.h"

namespace tidora::ui {

// A node of a checked tree: a group with some of its entries ticked shows kPartly.
enum class TickState { kUnticked, kTicked, kPartly };

// Rows of 20 pixels the result grid shows below its header; the run keeps the last ten in view.
inline constexpr int kGridVisibleRows = 10;

// What the program's logic needs of its controls. The Win32 set draws them in the product's skin;
// a headless set stands in for tests. Each operation applies to the kinds of control that have
// it (a caption to buttons, checkboxes, labels and panels; rows and cells to the result grid;
// items to the check lists); an operation on a kind that lacks it does nothing.
class ControlSet {
 public:
  using ClickHandler = std::function<void(ControlId)>;

  virtual ~ControlSet() = default;

  virtual std::string Caption(ControlId id) const = 0;
  virtual void SetCaption(ControlId id, std::string_view caption) = 0;
  virtual bool Enabled(ControlId id) const = 0;
  virtual void SetEnabled(ControlId id, bool enabled) = 0;
  virtual bool Visible(ControlId id) const = 0;
  virtual void SetVisible(ControlId id, bool visible) = 0;
  virtual bool Ticked(ControlId id) const = 0;
  virtual void SetTicked(ControlId id, bool ticked) = 0;
  virtual std::string Hint(ControlId id) const = 0;
  // A carriage return in a hint breaks its line.
  virtual void SetHint(ControlId id, std::string_view hint) = 0;

  // Progress bars: 0 to 100.
  virtual int Position(ControlId id) const = 0;
  virtual void SetPosition(ControlId id, int position) = 0;

  // The result grid: row 0 is the header row.
  virtual int RowCount(ControlId id) const = 0;
  virtual void SetRowCount(ControlId id, int rows) = 0;
  virtual std::string Cell(ControlId id, int row, int column) const = 0;
  virtual void SetCell(ControlId id, int row, int column, std::string_view text) = 0;
  // The grid's columns: three, or four with a preview's sizes.
  virtual int ColumnCount(ControlId id) const = 0;
  virtual void SetColumnCount(ControlId id, int columns) = 0;
  virtual int TopRow(ControlId id) const = 0;
  virtual void SetTopRow(ControlId id, int row) = 0;

  // Check lists.
  virtual void ClearItems(ControlId id) = 0;
  virtual void AddItem(ControlId id, std::string_view text) = 0;
  virtual int ItemCount(ControlId id) const = 0;
  virtual std::string ItemText(ControlId id, int index) const = 0;
  virtual bool ItemTicked(ControlId id, int index) const = 0;
  virtual void SetItemTicked(ControlId id, int index, bool ticked) = 0;

  // Checked trees: nodes are numbered from 0 in the order they are added; a node added with
  // kNoNode as its parent is a top-level (group) node. Groups show expanded.
  static constexpr int kNoNode = -1;
  virtual void ClearNodes(ControlId) {}
  // The new node's number; kNoNode on a control that is no tree.
  virtual int AddNode(ControlId, int /*parent*/, std::string_view /*text*/) { return kNoNode; }
  virtual int NodeCount(ControlId) const { return 0; }
  virtual std::string NodeText(ControlId, int /*node*/) const { return {}; }
  virtual int NodeParent(ControlId, int /*node*/) const { return kNoNode; }
  // Read from the control itself, so that a state set by an automation tool counts as a click.
  virtual TickState NodeTick(ControlId, int /*node*/) const { return TickState::kUnticked; }
  virtual void SetNodeTick(ControlId, int /*node*/, TickState) {}

  // A plain, resizable window of its own showing text, one line per line; shown again with the
  // new text when already open. It never blocks: the main window goes on working meanwhile.
  virtual void ShowTextWindow(ControlId /*window*/, std::string_view /*title*/,
                              std::string_view /*text*/) {}

  // A modal editor of a list of texts: the list, texts found on this PC to add from, and a field
  // to type one. accept gives a text as the list holds it, or nullopt to refuse it.
  struct ListEdit {
    std::string title;
    std::vector<std::string> items;
    std::vector<std::string> suggestions;
    std::function<std::optional<std::string>(std::string_view)> accept;
  };
  // The list as the user saved it; nullopt when cancelled or when the editor cannot be shown.
  virtual std::optional<std::vector<std::string>> EditList(ControlId /*window*/,
                                                           const ListEdit& /*edit*/) {
    return std::nullopt;
  }

  virtual void Focus(ControlId id) = 0;
  // A byte count as the system writes sizes for people ("812 bytes", "3.39 MB").
  virtual std::string FormatByteSize(std::uint64_t bytes) const = 0;
  // Paints the control now, without waiting for the message loop.
  virtual void Repaint(ControlId id) = 0;
  // Handles the input that waits, while a long task runs in a handler: only Stop, Help, painting,
  // moving, minimising and closing the window are honoured then; other input is dropped.
  virtual void DispatchPendingInput() = 0;
  // Raises the click of a button as a press would.
  virtual void Click(ControlId id) = 0;
  // Ends the application: its windows close and the message loop ends.
  virtual void EndApplication() = 0;

  // Where button clicks go.
  void OnClick(ClickHandler handler) { click_handler_ = std::move(handler); }
  // Where a tree node's tick goes after the user changed it (a click on its box, or space):
  // the node already shows its new state.
  using NodeTickHandler = std::function<void(ControlId, int node)>;
  void OnNodeTicked(NodeTickHandler handler) { node_tick_handler_ = std::move(handler); }

 protected:
  void RaiseClick(ControlId id) {
    if (click_handler_) click_handler_(id);
  }
  void RaiseNodeTicked(ControlId id, int node) {
    if (node_tick_handler_) node_tick_handler_(id, node);
  }

 private:
  ClickHandler click_handler_;
  NodeTickHandler node_tick_handler_;
};

}  // namespace tidora::ui
