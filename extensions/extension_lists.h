#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "controls/control_set.h"
#include "platform/registry.h"

namespace tidora::extensions {

inline constexpr char kMenuExtKey[] = "Software\\Microsoft\\Internet Explorer\\MenuExt";
inline constexpr char kExtensionsKey[] = "Software\\Microsoft\\Internet Explorer\\Extensions";

// Fills ExtendMenuitems with the right-button menu entries of the current user and
// ExtendToolsItems with the machine's Tools menu and toolbar entries (from every view of the
// machine's keys, each subkey name once), every item unticked. Reading is enough: a standard
// user sees what is installed.
void FillExtensionLists(ui::ControlSet& controls, platform::Registry& registry);

}  // namespace tidora::extensions
