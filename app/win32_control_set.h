#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "controls/control_set.h"
#include "ui/layout.h"

namespace tidora::app {

// The control set over real Win32 child windows, found by their stable control IDs.
class Win32ControlSet final : public ui::ControlSet {
 public:
  void Register(ui::ControlId id, HWND window, ui::ControlKind kind);
  // nullptr for an id that names no created control.
  HWND Window(ui::ControlId id) const;
  // The node's item in the checked tree id; nullptr for a node it does not have.
  HTREEITEM ItemOf(ui::ControlId id, int node) const;
  void SetTooltipWindow(HWND tooltip) { tooltip_ = tooltip; }
  // A button press that reached the window: on to the program's handlers.
  void DispatchClick(ui::ControlId id) { RaiseClick(id); }
  // Called when the application's windows go, so nothing is reached through them afterwards.
  void Forget() {
    controls_.clear();
    nodes_.clear();
  }
  // A checked tree's notification, which the top-level window hears: a user's click on a box,
  // or space, posts kUserTickMessage to that window, since the control changes the box after it.
  static constexpr UINT kUserTickMessage = WM_APP + 1;
  void NoteTreeNotification(const NMHDR& header);
  // kUserTickMessage, come back: the node ends as the user meant it and the program hears it.
  void FinishUserTick(WPARAM wparam, LPARAM lparam);

  std::string Caption(ui::ControlId id) const override;
  void SetCaption(ui::ControlId id, std::string_view caption) override;
  bool Enabled(ui::ControlId id) const override;
  void SetEnabled(ui::ControlId id, bool enabled) override;
  bool Visible(ui::ControlId id) const override;
  void SetVisible(ui::ControlId id, bool visible) override;
  bool Ticked(ui::ControlId id) const override;
  void SetTicked(ui::ControlId id, bool ticked) override;
  std::string Hint(ui::ControlId id) const override;
  void SetHint(ui::ControlId id, std::string_view hint) override;
  int Position(ui::ControlId id) const override;
  void SetPosition(ui::ControlId id, int position) override;

  int RowCount(ui::ControlId id) const override;
  void SetRowCount(ui::ControlId id, int rows) override;
  std::string Cell(ui::ControlId id, int row, int column) const override;
  void SetCell(ui::ControlId id, int row, int column, std::string_view text) override;
  int ColumnCount(ui::ControlId id) const override;
  void SetColumnCount(ui::ControlId id, int columns) override;
  int TopRow(ui::ControlId id) const override;
  void SetTopRow(ui::ControlId id, int row) override;

  void ClearItems(ui::ControlId id) override;
  void AddItem(ui::ControlId id, std::string_view text) override;
  int ItemCount(ui::ControlId id) const override;
  std::string ItemText(ui::ControlId id, int index) const override;
  bool ItemTicked(ui::ControlId id, int index) const override;
  void SetItemTicked(ui::ControlId id, int index, bool ticked) override;

  void ClearNodes(ui::ControlId id) override;
  int AddNode(ui::ControlId id, int parent, std::string_view text) override;
  int NodeCount(ui::ControlId id) const override;
  std::string NodeText(ui::ControlId id, int node) const override;
  int NodeParent(ui::ControlId id, int node) const override;
  ui::TickState NodeTick(ui::ControlId id, int node) const override;
  void SetNodeTick(ui::ControlId id, int node, ui::TickState tick) override;

  void ShowTextWindow(ui::ControlId window, std::string_view title, std::string_view text) override;
  std::optional<std::vector<std::string>> EditList(ui::ControlId window,
                                                   const ListEdit& edit) override;

  void Focus(ui::ControlId id) override;
  std::string FormatByteSize(std::uint64_t bytes) const override;
  void Repaint(ui::ControlId id) override;
  void Click(ui::ControlId id) override { RaiseClick(id); }
  void DispatchPendingInput() override;
  void EndApplication() override;

 private:
  struct Entry {
    HWND window;
    ui::ControlKind kind;
  };
  struct Node {
    HTREEITEM item;
    int parent;
  };
  // What may reach the windows while a long task runs.
  bool AllowedWhileBusy(const MSG& message) const;
  // nullptr unless id names a created control of that kind.
  HWND Of(ui::ControlId id, ui::ControlKind kind) const;

  std::map<ui::ControlId, Entry> controls_;
  std::map<ui::ControlId, std::string> hints_;
  std::map<ui::ControlId, std::vector<Node>> nodes_;  // of each checked tree, in add order
  HWND tooltip_ = nullptr;
};

}  // namespace tidora::app
