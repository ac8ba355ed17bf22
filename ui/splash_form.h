#pragma once

#include "controls/control_set.h"

namespace tidora::ui {

// One tick of the splash window's timer: the bar steps by 20 up to 100, and the tick that finds
// it full says "Loading Done", brings the main window forward and hides the splash.
void Timer1Timer(ControlSet& controls);

}  // namespace tidora::ui
