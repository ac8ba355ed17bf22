#pragma once

// Cases every ControlSet must pass: the headless set natively and the Win32 set under Wine. Include
// in exactly one source file of a test program, then instantiate ControlSetContract with an
// environment that offers controls(), the controls of both windows as the program creates them.

#include <gtest/gtest.h>

#include "controls/control_set.h"
#include "ui/layout.h"

namespace tidora::testing {

template <typename Environment>
class ControlSetContract : public ::testing::Test {
 protected:
  ui::ControlSet& controls() { return environment_.controls(); }
  Environment environment_;
};

TYPED_TEST_SUITE_P(ControlSetContract);

TYPED_TEST_P(ControlSetContract, StartsAsTheLayoutSays) {
  auto& controls = this->controls();
  EXPECT_EQ(controls.Caption(ui::ControlId::WinFindSearch), "Find && Search History");
  EXPECT_TRUE(controls.Ticked(ui::ControlId::WinFindSearch));
  EXPECT_FALSE(controls.Ticked(ui::ControlId::WinSTF));
  EXPECT_TRUE(controls.Visible(ui::ControlId::CleanItems));
  EXPECT_FALSE(controls.Visible(ui::ControlId::CleanResult));
  EXPECT_EQ(controls.Caption(ui::ControlId::bntStopFinish), "Stop");
  EXPECT_EQ(controls.Position(ui::ControlId::CleanResultProgressBar), 0);
  EXPECT_EQ(controls.RowCount(ui::ControlId::sgResultList), 2);
  EXPECT_EQ(controls.ItemCount(ui::ControlId::ExtendMenuitems), 0);
}

TYPED_TEST_P(ControlSetContract, CaptionsStatesAndBarsRoundTrip) {
  auto& controls = this->controls();
  const std::string unicode = "\xE6\xB8\x85\xE7\x90\x86 Finished";
  controls.SetCaption(ui::ControlId::bntStopFinish, unicode);
  EXPECT_EQ(controls.Caption(ui::ControlId::bntStopFinish), unicode);
  controls.SetEnabled(ui::ControlId::groupOffice, false);
  EXPECT_FALSE(controls.Enabled(ui::ControlId::groupOffice));
  controls.SetVisible(ui::ControlId::IERepare, true);
  EXPECT_TRUE(controls.Visible(ui::ControlId::IERepare));
  controls.SetTicked(ui::ControlId::WinSTF, true);
  EXPECT_TRUE(controls.Ticked(ui::ControlId::WinSTF));
  controls.SetHint(ui::ControlId::WinSTF, "two\rlines");
  EXPECT_EQ(controls.Hint(ui::ControlId::WinSTF), "two\rlines");
  controls.SetPosition(ui::ControlId::RepairProgressBar, 85);
  EXPECT_EQ(controls.Position(ui::ControlId::RepairProgressBar), 85);
  controls.SetPosition(ui::ControlId::RepairProgressBar, 130);
  EXPECT_EQ(controls.Position(ui::ControlId::RepairProgressBar), 100);
}

TYPED_TEST_P(ControlSetContract, TheGridHasAHeaderRowAndDataRows) {
  auto& controls = this->controls();
  const auto grid = ui::ControlId::sgResultList;
  controls.SetCell(grid, 0, 1, "Files/Entries");
  EXPECT_EQ(controls.Cell(grid, 0, 1), "Files/Entries");
  controls.SetRowCount(grid, 5);
  EXPECT_EQ(controls.RowCount(grid), 5);
  controls.SetCell(grid, 3, 0, "Windows Run History");
  controls.SetCell(grid, 3, 2, "Finished");
  EXPECT_EQ(controls.Cell(grid, 3, 0), "Windows Run History");
  EXPECT_EQ(controls.Cell(grid, 3, 1), "");
  EXPECT_EQ(controls.Cell(grid, 3, 2), "Finished");
  controls.SetRowCount(grid, 2);
  EXPECT_EQ(controls.RowCount(grid), 2);
  controls.SetRowCount(grid, 4);
  EXPECT_EQ(controls.Cell(grid, 3, 0), "") << "rows cut off come back empty";
  EXPECT_EQ(controls.Cell(grid, 0, 1), "Files/Entries");
}

TYPED_TEST_P(ControlSetContract, TheGridScrollsToTheTopRowAsked) {
  auto& controls = this->controls();
  const auto grid = ui::ControlId::sgResultList;
  controls.SetVisible(ui::ControlId::CleanResult, true);
  controls.SetRowCount(grid, 25);
  EXPECT_EQ(controls.TopRow(grid), 1);
  controls.SetTopRow(grid, 8);
  EXPECT_EQ(controls.TopRow(grid), 8);
  // As far as the rows go: the last row stays at the bottom.
  controls.SetTopRow(grid, 24);
  EXPECT_EQ(controls.TopRow(grid), 25 - ui::kGridVisibleRows);
  controls.SetTopRow(grid, 1);
  EXPECT_EQ(controls.TopRow(grid), 1);
}

TYPED_TEST_P(ControlSetContract, CheckListsHoldTextsAndTicks) {
  auto& controls = this->controls();
  const auto list = ui::ControlId::ExtendToolsItems;
  controls.AddItem(list, "Research");
  controls.AddItem(list, "&Messenger");
  ASSERT_EQ(controls.ItemCount(list), 2);
  EXPECT_EQ(controls.ItemText(list, 1), "&Messenger");
  EXPECT_FALSE(controls.ItemTicked(list, 0));
  controls.SetItemTicked(list, 1, true);
  EXPECT_TRUE(controls.ItemTicked(list, 1));
  EXPECT_FALSE(controls.ItemTicked(list, 0));
  controls.ClearItems(list);
  EXPECT_EQ(controls.ItemCount(list), 0);
}

TYPED_TEST_P(ControlSetContract, ClicksReachTheHandler) {
  auto& controls = this->controls();
  std::vector<ui::ControlId> clicked;
  controls.OnClick([&](ui::ControlId id) { clicked.push_back(id); });
  controls.Click(ui::ControlId::bntAbout);
  EXPECT_EQ(clicked, std::vector<ui::ControlId>{ui::ControlId::bntAbout});
}

REGISTER_TYPED_TEST_SUITE_P(ControlSetContract, StartsAsTheLayoutSays,
                            CaptionsStatesAndBarsRoundTrip, TheGridHasAHeaderRowAndDataRows,
                            TheGridScrollsToTheTopRowAsked, CheckListsHoldTextsAndTicks,
                            ClicksReachTheHandler);

}  // namespace tidora::testing
