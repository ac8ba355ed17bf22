#pragma once

#include "controls/control_set.h"
#include "platform/registry.h"

namespace tidora::extensions {

inline constexpr char kMenuExtKey[] = "Software\\Microsoft\\Internet Explorer\\MenuExt";
inline constexpr char kExtensionsKey[] = "Software\\Microsoft\\Internet Explorer\\Extensions";

// Fills ExtendMenuitems with the right-button menu entries of the current user and
// ExtendToolsItems with the machine's Tools menu and toolbar entries, every item unticked.
// A "ButtonText" or "MenuText" that is not text raises RegistryError, leaving what was listed.
void FillExtensionLists(ui::ControlSet& controls, platform::Registry& registry);

}  // namespace tidora::extensions
