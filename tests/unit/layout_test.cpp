// Invariants of the window layout that every row must keep; the rows themselves are data.

#include "ui/layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace tidora::ui {
namespace {

std::vector<ControlSpec> AllControls() {
  std::vector<ControlSpec> all(MainWindowControls().begin(), MainWindowControls().end());
  all.insert(all.end(), SplashWindowControls().begin(), SplashWindowControls().end());
  return all;
}

TEST(Layout, IdsAreUniqueAndParentsComeFirst) {
  std::set<ControlId> seen{ControlId::kMainWindow, ControlId::kSplashWindow};
  for (const auto& spec : AllControls()) {
    EXPECT_TRUE(seen.count(spec.parent)) << static_cast<int>(spec.id) << " before its parent";
    EXPECT_TRUE(seen.insert(spec.id).second) << static_cast<int>(spec.id) << " twice";
    EXPECT_EQ(FindControlSpec(spec.id)->caption, spec.caption);
  }
  EXPECT_EQ(FindControlSpec(ControlId::kNone), nullptr);
}

TEST(Layout, EveryControlFitsInsideItsParent) {
  std::map<ControlId, std::pair<int, int>> sizes{
      {ControlId::kMainWindow, {kMainClientWidth, kMainClientHeight}},
      {ControlId::kSplashWindow, {kSplashClientWidth, kSplashClientHeight}},
      // A tab sheet is the page control's display area, below its tabs.
      {ControlId::suiTabSheet1, {509, 266}},
      {ControlId::suiTabSheet2, {509, 266}}};
  for (const auto& spec : AllControls()) {
    if (spec.kind == ControlKind::kTabSheet) continue;
    sizes[spec.id] = {spec.width, spec.height};
    const auto [width, height] = sizes.at(spec.parent);
    EXPECT_GE(spec.left, 0) << static_cast<int>(spec.id);
    EXPECT_GE(spec.top, 0) << static_cast<int>(spec.id);
    EXPECT_LE(spec.left + spec.width, width) << static_cast<int>(spec.id);
    EXPECT_LE(spec.top + spec.height, height) << static_cast<int>(spec.id);
  }
}

TEST(Layout, EveryChoiceAndNavigationButtonHasAHint) {
  int checkboxes = 0;
  for (const auto& spec : MainWindowControls()) {
    if (spec.kind == ControlKind::kCheckBox || spec.kind == ControlKind::kNavButton) {
      EXPECT_FALSE(spec.hint.empty()) << spec.caption;
      EXPECT_EQ(spec.hint.find('\n'), std::string_view::npos) << "a line break is one CR";
    }
    checkboxes += spec.kind == ControlKind::kCheckBox;
  }
  EXPECT_EQ(checkboxes, 26 + 18);
}

TEST(Layout, OnlyTheDiskScanStartsUnticked) {
  for (const auto& spec : MainWindowControls()) {
    if (spec.kind != ControlKind::kCheckBox) continue;
    EXPECT_EQ(spec.ticked, spec.id != ControlId::WinSTF) << spec.caption;
  }
}

TEST(Layout, ThePanelsShareOnePlace) {
  for (ControlId panel : kPanels) {
    const ControlSpec* spec = FindControlSpec(panel);
    ASSERT_NE(spec, nullptr);
    EXPECT_EQ(spec->kind, ControlKind::kPanel);
    EXPECT_EQ(spec->left, 198);
    EXPECT_EQ(spec->width, 529);
  }
  // The Stop/Finish button stands exactly where Start stands.
  const auto* start = FindControlSpec(ControlId::bntCleanNow);
  const auto* stop = FindControlSpec(ControlId::bntStopFinish);
  EXPECT_EQ(std::tie(start->left, start->top, start->width, start->height),
            std::tie(stop->left, stop->top, stop->width, stop->height));
}

}  // namespace
}  // namespace tidora::ui
