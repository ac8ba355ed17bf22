#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "controls/control_set.h"
#include "ui/layout.h"

namespace tidora::app {

// The control set over real Win32 child windows, found by their stable control IDs.
class Win32ControlSet final : public ui::ControlSet {
 public:
  void Register(ui::ControlId id, HWND window, ui::ControlKind kind);
  // nullptr for an id that names no created control.
  HWND Window(ui::ControlId id) const;
  void SetTooltipWindow(HWND tooltip) { tooltip_ = tooltip; }
  // A button press that reached the window: on to the program's handlers.
  void DispatchClick(ui::ControlId id) { RaiseClick(id); }
  // Called when the application's windows go, so nothing is reached through them afterwards.
  void Forget() { controls_.clear(); }

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
  // What may reach the windows while a long task runs.
  bool AllowedWhileBusy(const MSG& message) const;
  // nullptr unless id names a created control of that kind.
  HWND Of(ui::ControlId id, ui::ControlKind kind) const;

  std::map<ui::ControlId, Entry> controls_;
  std::map<ui::ControlId, std::string> hints_;
  HWND tooltip_ = nullptr;
};

}  // namespace tidora::app
