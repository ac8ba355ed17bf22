#pragma once

// Cases every ControlSet passes; the environment offers controls(), both windows' controls, and
// UserTicks(tree, node), a user's click on a node's box.

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

TYPED_TEST_P(ControlSetContract, StartAsTheLayoutSaysHoldWhatTheyAreGivenAndPassClicksOn) {
  using Id = ui::ControlId;
  auto& c = this->controls;
  EXPECT_TRUE(c.Ticked(Id::WinFindSearch) && !c.Ticked(Id::WinSTF));
  EXPECT_TRUE(c.Visible(Id::CleanItems) && !c.Visible(Id::CleanResult) && !c.Visible(Id::IERepare));
  const std::string unicode = "\u6E05\u7406 Finished";
  c.SetCaption(Id::bntStopFinish, unicode);
  c.SetTicked(Id::WinSTF, true);
  c.SetVisible(Id::IERepare, true);
  c.SetEnabled(Id::groupOffice, false);
  c.SetPosition(Id::RepairProgressBar, 130);
  EXPECT_EQ(c.Caption(Id::bntStopFinish), unicode);
  EXPECT_TRUE(c.Ticked(Id::WinSTF) && c.Visible(Id::IERepare) && !c.Enabled(Id::groupOffice));
  EXPECT_EQ(c.Position(Id::RepairProgressBar), 100);
  const auto list = Id::ExtendToolsItems;
  c.AddItem(list, "Research");
  c.AddItem(list, "&Messenger");
  c.SetItemTicked(list, 1, true);
  ASSERT_EQ(c.ItemCount(list), 2);
  EXPECT_TRUE(c.ItemText(list, 1) == "&Messenger" && c.ItemTicked(list, 1) &&
              !c.ItemTicked(list, 0));
  c.ClearItems(list);
  EXPECT_EQ(c.ItemCount(list), 0);
  std::vector<Id> clicked;
  c.OnClick([&](Id id) { clicked.push_back(id); });
  c.Click(Id::bntAbout);
  EXPECT_EQ(clicked, std::vector{Id::bntAbout});
}

// Rows cut off come back empty; scrolling keeps the last row at the bottom.
TYPED_TEST_P(ControlSetContract, TheGridHoldsRowsAndScrolls) {
  auto& c = this->controls;
  const auto grid = ui::ControlId::sgResultList;
  EXPECT_EQ(c.RowCount(grid), 2);
  c.SetRowCount(grid, 5);
  c.SetCell(grid, 3, 0, "Windows Run History");
  c.SetCell(grid, 3, 2, "Finished");
  EXPECT_EQ(c.Cell(grid, 3, 0) + "|" + c.Cell(grid, 3, 1) + "|" + c.Cell(grid, 3, 2),
            "Windows Run History||Finished");
  c.SetRowCount(grid, 2);
  c.SetRowCount(grid, 4);
  EXPECT_EQ(c.Cell(grid, 3, 0), "");
  c.SetVisible(ui::ControlId::CleanResult, true);
  c.SetRowCount(grid, 25);
  EXPECT_EQ(c.TopRow(grid), 1);
  for (const auto& [asked, shown] : {std::pair{8, 8}, {24, 25 - ui::kGridVisibleRows}, {1, 1}}) {
    c.SetTopRow(grid, asked);
    EXPECT_EQ(c.TopRow(grid), shown) << asked;
  }
}

// A preview's fourth column comes and goes; sizes read as the shell writes them, cut to three
// digits, never rounded up.
TYPED_TEST_P(ControlSetContract, TheGridTakesAFourthColumnAndSizesReadAsTheShellWritesThem) {
  auto& c = this->controls;
  const auto grid = ui::ControlId::sgResultList;
  EXPECT_EQ(c.ColumnCount(grid), 3);
  c.SetColumnCount(grid, 4);
  c.SetCell(grid, 1, 3, "812 KB");
  EXPECT_EQ(c.ColumnCount(grid), 4);
  EXPECT_EQ(c.Cell(grid, 1, 3), "812 KB");
  c.SetColumnCount(grid, 3);
  EXPECT_EQ(c.ColumnCount(grid), 3);
  const std::pair<std::uint64_t, const char*> sizes[] = {
      {0, "0 bytes"},       {1023, "1023 bytes"},    {1024, "1.00 KB"},
      {10239, "9.99 KB"},   {831488, "812 KB"},      {1023 * 1024, "0.99 MB"},
      {3554673, "3.39 MB"}, {1073741823, "0.99 GB"}, {5ull << 30, "5.00 GB"}};
  for (const auto& [bytes, text] : sizes) EXPECT_EQ(c.FormatByteSize(bytes), text) << bytes;
}

// Nodes under groups read back as added, partly ticked ones too; a control that is no tree takes
// no node. A user's tick is heard once, the node already changed: unticked and partly become
// ticked, ticked becomes unticked; the program's own changes are not heard. A clear starts the
// numbering anew.
TYPED_TEST_P(ControlSetContract, ATreeHoldsNodesUnderGroupsAndHearsAUsersTickOnce) {
  using T = ui::TickState;
  constexpr int kGroup = ui::ControlSet::kNoNode;
  auto& c = this->controls;
  const auto tree = ui::ControlId::AppTree;
  const std::tuple<int, std::string, T> nodes[] = {{kGroup, "Browsers", T::kPartly},
                                                   {0, "Chromium \u6E05\u7406", T::kTicked},
                                                   {kGroup, "Other", T::kUnticked},
                                                   {0, "Firefox", T::kUnticked}};
  for (const auto& [parent, text, tick] : nodes) {
    EXPECT_EQ(c.NodeTick(tree, c.AddNode(tree, parent, text)), T::kUnticked);
    c.SetNodeTick(tree, c.NodeCount(tree) - 1, tick);
  }
  ASSERT_EQ(c.NodeCount(tree), 4);
  for (int n = 0; n < 4; ++n)
    EXPECT_EQ(std::tuple(c.NodeParent(tree, n), c.NodeText(tree, n), c.NodeTick(tree, n)),
              nodes[n]);
  EXPECT_EQ(c.AddNode(ui::ControlId::ExtendToolsItems, kGroup, "Research"), kGroup);
  std::vector<std::pair<int, T>> heard;
  c.OnNodeTicked(
      [&](ui::ControlId id, int node) { heard.emplace_back(node, c.NodeTick(id, node)); });
  c.SetNodeTick(tree, 2, T::kTicked);
  c.SetNodeTick(tree, 2, T::kUnticked);
  for (int node : {0, 1, 2}) this->environment_.UserTicks(tree, node);
  EXPECT_EQ(heard,
            (std::vector<std::pair<int, T>>{{0, T::kTicked}, {1, T::kUnticked}, {2, T::kTicked}}));
  c.ClearNodes(tree);
  EXPECT_EQ(c.NodeCount(tree), 0);
  EXPECT_EQ(c.AddNode(tree, kGroup, "Again"), 0);
}

// The text window opens on demand with its title and lines; shown again, it takes the new text.
TYPED_TEST_P(ControlSetContract, ATextWindowShowsItsTitleAndLinesAndTakesNewText) {
  using Id = ui::ControlId;
  auto& c = this->controls;
  EXPECT_FALSE(c.Visible(Id::kDetailsWindow));
  const std::string lines = "Refused: \u6E05\u7406.ini\nSkipped: [Rule]\n\nEnd";
  c.ShowTextWindow(Id::kDetailsWindow, "Details \u2014 rules", lines);
  EXPECT_TRUE(c.Visible(Id::kDetailsWindow));
  EXPECT_EQ(c.Caption(Id::kDetailsWindow) + "|" + c.Caption(Id::DetailsText),
            "Details \u2014 rules|" + lines);
  c.ShowTextWindow(Id::kDetailsWindow, "Details", "Nothing refused");
  EXPECT_EQ(c.Caption(Id::kDetailsWindow) + "|" + c.Caption(Id::DetailsText),
            "Details|Nothing refused");
}

REGISTER_TYPED_TEST_SUITE_P(ControlSetContract,
                            StartAsTheLayoutSaysHoldWhatTheyAreGivenAndPassClicksOn,
                            TheGridHoldsRowsAndScrolls,
                            TheGridTakesAFourthColumnAndSizesReadAsTheShellWritesThem,
                            ATreeHoldsNodesUnderGroupsAndHearsAUsersTickOnce,
                            ATextWindowShowsItsTitleAndLinesAndTakesNewText);
}  // namespace tidora::testing
