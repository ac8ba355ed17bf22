#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "controls/control_set.h"

// A small modal window that edits a list of texts: the list with Remove, texts found on this PC
// with Keep, a field with Add, and Save and Cancel. Each control is a child window with its
// stable id, so that screen readers and UI tests find it.
namespace tidora::app {

// The list as saved; nullopt on Cancel, Escape or the close box, or when it cannot be shown.
// The owner is disabled meanwhile and its windows go on painting.
std::optional<std::vector<std::string>> EditListModal(HWND owner,
                                                      const ui::ControlSet::ListEdit& edit);

}  // namespace tidora::app
