#include "ui/splash_form.h"

#include <gtest/gtest.h>

#include "tests/support/headless_control_set.h"

namespace tidora::ui {
namespace {

TEST(SplashForm, StepsToAHundredThenClosesOnTheSixthTick) {
  testing::HeadlessControlSet controls;
  std::vector<int> positions;
  for (int tick = 1; tick <= 5; ++tick) {
    Timer1Timer(controls);
    positions.push_back(controls.Position(ControlId::LoadProgressBar));
    EXPECT_TRUE(controls.Visible(ControlId::kSplashWindow)) << tick;
    EXPECT_EQ(controls.Caption(ControlId::LabelLoading), "Loading");
  }
  EXPECT_EQ(positions, (std::vector<int>{20, 40, 60, 80, 100}));

  Timer1Timer(controls);
  EXPECT_EQ(controls.Position(ControlId::LoadProgressBar), 100);
  EXPECT_EQ(controls.Caption(ControlId::LabelLoading), "Loading Done");
  EXPECT_FALSE(controls.Visible(ControlId::kSplashWindow));
  EXPECT_TRUE(controls.Visible(ControlId::kMainWindow));
  EXPECT_GE(controls.Repaints(ControlId::kMainWindow), 1);
  EXPECT_EQ(controls.Repaints(ControlId::kSplashWindow), 6);
}

}  // namespace
}  // namespace tidora::ui
