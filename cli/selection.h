#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "controls/control_set.h"
#include "rules/applications_tab.h"

namespace tidora::cli {

struct Selection {
  std::optional<std::string> unknown;  // the first name that names nothing the rules read
  std::vector<std::string> lines;  // named entries not on this PC, and the ticked ones' warnings
};

// Ticks what the command names, as a user would in the window before pressing Start: the
// checkboxes (the window's start ticks as well with /defaults), the Netscape steps, whose row runs
// only when one is ticked, and the entries of the Applications tab, once its tree is filled.
// Nothing is ticked when a name is unknown.
Selection Select(const Command& command, ui::ControlSet& controls,
                 const rules::ApplicationsTab& applications);

}  // namespace tidora::cli
