#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "controls/control_set.h"
#include "ui/layout.h"

namespace tidora::testing {

// The controls of both windows as plain state, created from the same layout the Win32 set uses:
// captions, defaults and the start-up visibility (the item panel only, both windows shown).
class HeadlessControlSet final : public ui::ControlSet {
 public:
  HeadlessControlSet();

  std::string Caption(ui::ControlId id) const override { return At(id).caption; }
  void SetCaption(ui::ControlId id, std::string_view caption) override;
  bool Enabled(ui::ControlId id) const override { return At(id).enabled; }
  void SetEnabled(ui::ControlId id, bool enabled) override { At(id).enabled = enabled; }
  bool Visible(ui::ControlId id) const override { return At(id).visible; }
  void SetVisible(ui::ControlId id, bool visible) override { At(id).visible = visible; }
  bool Ticked(ui::ControlId id) const override { return At(id).ticked; }
  void SetTicked(ui::ControlId id, bool ticked) override { At(id).ticked = ticked; }
  std::string Hint(ui::ControlId id) const override { return At(id).hint; }
  void SetHint(ui::ControlId id, std::string_view hint) override { At(id).hint = hint; }
  int Position(ui::ControlId id) const override { return At(id).position; }
  void SetPosition(ui::ControlId id, int position) override;

  int RowCount(ui::ControlId id) const override;
  void SetRowCount(ui::ControlId id, int rows) override;
  std::string Cell(ui::ControlId id, int row, int column) const override;
  void SetCell(ui::ControlId id, int row, int column, std::string_view text) override;
  int TopRow(ui::ControlId id) const override { return At(id).top_row; }
  void SetTopRow(ui::ControlId id, int row) override;

  void ClearItems(ui::ControlId id) override { At(id).items.clear(); }
  void AddItem(ui::ControlId id, std::string_view text) override;
  int ItemCount(ui::ControlId id) const override;
  std::string ItemText(ui::ControlId id, int index) const override;
  bool ItemTicked(ui::ControlId id, int index) const override;
  void SetItemTicked(ui::ControlId id, int index, bool ticked) override;

  void Focus(ui::ControlId) override {}
  void Repaint(ui::ControlId) override {}
  void Click(ui::ControlId id) override { RaiseClick(id); }
  void DispatchPendingInput() override {
    ++dispatches_;
    if (on_dispatch_) on_dispatch_(dispatches_);
  }
  // What the user does while input is handled: called with the count of dispatches so far.
  void WhenInputIsDispatched(std::function<void(int)> user) { on_dispatch_ = std::move(user); }
  void EndApplication() override { ended_ = true; }

  // What tests look at besides the interface.
  bool ended() const { return ended_; }
  std::vector<ui::ControlId> VisiblePanels() const;

 private:
  struct State {
    ui::ControlKind kind = ui::ControlKind::kPanel;
    std::string caption;
    std::string hint;
    bool enabled = true;
    bool visible = true;
    bool ticked = false;
    int position = 0;
    int top_row = 1;
    std::vector<std::array<std::string, 3>> rows;
    std::vector<std::pair<std::string, bool>> items;
  };

  // Throws std::out_of_range for an id of no control: a test naming the wrong control fails.
  State& At(ui::ControlId id) { return states_.at(id); }
  const State& At(ui::ControlId id) const { return states_.at(id); }

  std::map<ui::ControlId, State> states_;
  std::function<void(int)> on_dispatch_;
  int dispatches_ = 0;
  bool ended_ = false;
};

}  // namespace tidora::testing
