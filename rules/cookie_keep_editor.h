#pragma once

#include <set>
#include <string>

#include "controls/control_set.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace tidora::rules {

// "Cookies to keep…": shows the saved keep-list with the cookie hosts found on this PC to add
// from, and saves what the user saves. Nothing is written on Cancel, nor when the list is as it
// was; an emptied list removes what was saved.
void EditCookieKeepList(ui::ControlSet& controls, platform::Registry& registry,
                        platform::Shell& dialogs, const std::set<std::string>& found_hosts);

}  // namespace tidora::rules
