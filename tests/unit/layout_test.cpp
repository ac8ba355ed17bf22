// Invariants of the window layout that every row must keep; the rows themselves are data.

#include "ui/layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace tidora::ui {
namespace {

std::vector<LayoutRow> AllControls() {
  std::vector<LayoutRow> all(MainWindowControls().begin(), MainWindowControls().end());
  all.insert(all.end(), SplashWindowControls().begin(), SplashWindowControls().end());
  return all;
}

TEST(Layout, IdsAreUniqueAndParentsComeFirst) {
  std::set<ControlId> seen{ControlId::kMainWindow, ControlId::kSplashWindow};
  for (const auto& entry : AllControls()) {
    EXPECT_TRUE(seen.count(entry.parent)) << static_cast<int>(entry.id) << " before its parent";
    EXPECT_TRUE(seen.insert(entry.id).second) << static_cast<int>(entry.id) << " twice";
    EXPECT_EQ(FindLayoutRow(entry.id)->caption, entry.caption);
  }
  EXPECT_EQ(FindLayoutRow(ControlId::kNone), nullptr);
}

TEST(Layout, EveryControlFitsInsideItsParent) {
  std::map<ControlId, std::pair<int, int>> sizes{
      {ControlId::kMainWindow, {kMainClientWidth, kMainClientHeight}},
      {ControlId::kSplashWindow, {kSplashClientWidth, kSplashClientHeight}},
      // A tab sheet is the page control's display area, below its tabs.
      {ControlId::suiTabSheet1, {509, 266}},
      {ControlId::suiTabSheet2, {509, 266}}};
  for (const auto& entry : AllControls()) {
    if (entry.kind == ControlKind::kTabSheet) continue;
    sizes[entry.id] = {entry.width, entry.height};
    const auto [width, height] = sizes.at(entry.parent);
    EXPECT_GE(entry.left, 0) << static_cast<int>(entry.id);
    EXPECT_GE(entry.top, 0) << static_cast<int>(entry.id);
    EXPECT_LE(entry.left + entry.width, width) << static_cast<int>(entry.id);
    EXPECT_LE(entry.top + entry.height, height) << static_cast<int>(entry.id);
  }
}

TEST(Layout, EveryChoiceAndNavigationButtonHasAHint) {
  int checkboxes = 0;
  for (const auto& entry : MainWindowControls()) {
    if (entry.kind == ControlKind::kCheckBox || entry.kind == ControlKind::kNavButton) {
      EXPECT_FALSE(entry.hint.empty()) << entry.caption;
      EXPECT_EQ(entry.hint.find('\n'), std::string_view::npos) << "a line break is one CR";
    }
    checkboxes += entry.kind == ControlKind::kCheckBox;
  }
  EXPECT_EQ(checkboxes, 26 + 18);
}

TEST(Layout, OnlyTheDiskScanStartsUnticked) {
  for (const auto& entry : MainWindowControls()) {
    if (entry.kind != ControlKind::kCheckBox) continue;
    EXPECT_EQ(entry.ticked, entry.id != ControlId::WinSTF) << entry.caption;
  }
}

TEST(Layout, ThePanelsShareOnePlace) {
  for (ControlId panel : kPanels) {
    const LayoutRow* entry = FindLayoutRow(panel);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->kind, ControlKind::kPanel);
    EXPECT_EQ(entry->left, 198);
    EXPECT_EQ(entry->width, 529);
  }
  // The Stop/Finish button stands exactly where Start stands.
  const auto* start = FindLayoutRow(ControlId::bntCleanNow);
  const auto* stop = FindLayoutRow(ControlId::bntStopFinish);
  EXPECT_EQ(std::tie(start->left, start->top, start->width, start->height),
            std::tie(stop->left, stop->top, stop->width, stop->height));
}

}  // namespace
}  // namespace tidora::ui
