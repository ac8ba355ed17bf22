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
    sizes[entry.id] = {entry.place.width, entry.place.height};
    const auto [width, height] = sizes.at(entry.parent);
    EXPECT_GE(entry.place.left, 0) << static_cast<int>(entry.id);
    EXPECT_GE(entry.place.top, 0) << static_cast<int>(entry.id);
    EXPECT_LE(entry.place.left + entry.place.width, width) << static_cast<int>(entry.id);
    EXPECT_LE(entry.place.top + entry.place.height, height) << static_cast<int>(entry.id);
  }
}

TEST(Layout, EveryChoiceAndNavigationButtonHasAHint) {
  auto hint_of = [](ControlId id) {
    for (const auto& row : MainWindowHints()) {
      if (row.id == id) return row.hint;
    }
    return std::string_view();
  };
  int checkboxes = 0;
  for (const auto& entry : MainWindowControls()) {
    if (entry.kind == ControlKind::kCheckBox || entry.kind == ControlKind::kNavButton) {
      const std::string_view hint = hint_of(entry.id);
      EXPECT_FALSE(hint.empty()) << entry.caption;
      EXPECT_EQ(hint.find('\n'), std::string_view::npos) << "a line break is one CR";
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
    EXPECT_EQ(entry->place.left, 198);
    EXPECT_EQ(entry->place.width, 529);
  }
}

}  // namespace
}  // namespace tidora::ui
