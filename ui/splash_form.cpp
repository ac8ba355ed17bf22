#include "ui/splash_form.h"

namespace tidora::ui {

void Timer1Timer(ControlSet& controls) {
  constexpr int kStep = 20;
  if (controls.Position(ControlId::LoadProgressBar) >= 100) {
    controls.SetCaption(ControlId::LabelLoading, "Loading Done");
    controls.SetVisible(ControlId::kMainWindow, true);
    controls.Repaint(ControlId::kMainWindow);
    controls.SetVisible(ControlId::kSplashWindow, false);
  } else {
    controls.SetPosition(ControlId::LoadProgressBar,
                         controls.Position(ControlId::LoadProgressBar) + kStep);
  }
  controls.Repaint(ControlId::kSplashWindow);
}

}  // namespace tidora::ui
