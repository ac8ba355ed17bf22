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
  Environment environment_;
  ui::ControlSet& controls = environment_.controls();
};

TYPED_TEST_SUITE_P(ControlSetContract);

// Each state starts as the layout says and then holds what it is given.
TYPED_TEST_P(ControlSetContract, StartsAsTheLayoutSaysAndHoldsWhatItIsGiven) {
  using Id = ui::ControlId;
  auto& controls = this->controls;
  EXPECT_EQ(controls.Caption(Id::WinFindSearch), "Find && Search History");
  EXPECT_EQ(controls.Caption(Id::bntStopFinish), "Stop");
  const std::string unicode = "\xE6\xB8\x85\xE7\x90\x86 Finished";
  controls.SetCaption(Id::bntStopFinish, unicode);
  EXPECT_EQ(controls.Caption(Id::bntStopFinish), unicode);
  EXPECT_TRUE(controls.Ticked(Id::WinFindSearch));
  EXPECT_FALSE(controls.Ticked(Id::WinSTF));
  controls.SetTicked(Id::WinSTF, true);
  EXPECT_TRUE(controls.Ticked(Id::WinSTF));
  EXPECT_TRUE(controls.Visible(Id::CleanItems));
  EXPECT_FALSE(controls.Visible(Id::CleanResult));
  EXPECT_FALSE(controls.Visible(Id::IERepare));
  controls.SetVisible(Id::IERepare, true);
  EXPECT_TRUE(controls.Visible(Id::IERepare));
  controls.SetEnabled(Id::groupOffice, false);
  EXPECT_FALSE(controls.Enabled(Id::groupOffice));
  controls.SetHint(Id::WinSTF, "two\rlines");
  EXPECT_EQ(controls.Hint(Id::WinSTF), "two\rlines");
  EXPECT_EQ(controls.Position(Id::RepairProgressBar), 0);
  controls.SetPosition(Id::RepairProgressBar, 85);
  EXPECT_EQ(controls.Position(Id::RepairProgressBar), 85);
  controls.SetPosition(Id::RepairProgressBar, 130);
  EXPECT_EQ(controls.Position(Id::RepairProgressBar), 100);
}

TYPED_TEST_P(ControlSetContract, TheGridHasAHeaderRowAndDataRows) {
  auto& controls = this->controls;
  const auto grid = ui::ControlId::sgResultList;
  EXPECT_EQ(controls.RowCount(grid), 2);
  controls.SetCell(grid, 0, 1, "Files/Entries");
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

// As far as the rows go: the last row stays at the bottom.
TYPED_TEST_P(ControlSetContract, TheGridScrollsToTheTopRowAsked) {
  auto& controls = this->controls;
  const auto grid = ui::ControlId::sgResultList;
  controls.SetVisible(ui::ControlId::CleanResult, true);
  controls.SetRowCount(grid, 25);
  EXPECT_EQ(controls.TopRow(grid), 1);
  for (const auto& [asked, shown] : {std::pair{8, 8}, {24, 25 - ui::kGridVisibleRows}, {1, 1}}) {
    controls.SetTopRow(grid, asked);
    EXPECT_EQ(controls.TopRow(grid), shown) << asked;
  }
}

TYPED_TEST_P(ControlSetContract, CheckListsHoldTextsAndTicksAndClicksReachTheHandler) {
  auto& controls = this->controls;
  const auto list = ui::ControlId::ExtendToolsItems;
  EXPECT_EQ(controls.ItemCount(list), 0);
  controls.AddItem(list, "Research");
  controls.AddItem(list, "&Messenger");
  ASSERT_EQ(controls.ItemCount(list), 2);
  EXPECT_EQ(controls.ItemText(list, 1), "&Messenger");
  controls.SetItemTicked(list, 1, true);
  EXPECT_TRUE(controls.ItemTicked(list, 1));
  EXPECT_FALSE(controls.ItemTicked(list, 0));
  controls.ClearItems(list);
  EXPECT_EQ(controls.ItemCount(list), 0);
  std::vector<ui::ControlId> clicked;
  controls.OnClick([&](ui::ControlId id) { clicked.push_back(id); });
  controls.Click(ui::ControlId::bntAbout);
  EXPECT_EQ(clicked, std::vector<ui::ControlId>{ui::ControlId::bntAbout});
}

REGISTER_TYPED_TEST_SUITE_P(ControlSetContract, StartsAsTheLayoutSaysAndHoldsWhatItIsGiven,
                            TheGridHasAHeaderRowAndDataRows, TheGridScrollsToTheTopRowAsked,
                            CheckListsHoldTextsAndTicksAndClicksReachTheHandler);

}  // namespace tidora::testing
