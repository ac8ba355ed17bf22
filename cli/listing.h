#pragma once

#include <string>
#include <vector>

#include "composition/features.h"
#include "controls/control_set.h"

namespace tidora::cli {

// An item the command line can name, as /list shows it.
struct ListedItem {
  std::string name;
  std::string caption;
  bool detected = false;  // it would run on this PC
  bool ticked = false;    // the window ticks it at start
};

// Every checkbox, then every entry the rules read, found on this PC or not: the controls as the
// window starts, its rules read and detected.
std::vector<ListedItem> ListItems(const ui::ControlSet& controls,
                                  const composition::Features& features);

}  // namespace tidora::cli
