#pragma once

#include <string_view>

#include "platform/registry.h"

namespace tidora::repair {

// The browser's policy values: 1 switches a feature off, 0 back on. These writers only write.
inline constexpr char kRestrictionPolicyKey[] =
    "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions";
inline constexpr char kControlPanelPolicyKey[] =
    "Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel";

// Writes the DWORD under the restriction key of HKCU, then of HKLM (every view), creating the
// keys; each root is tried whatever the other did. False when any write was refused.
bool SetIERestriction(platform::Registry& registry, std::string_view name, bool restricted);
// The same under the control-panel key of HKCU only.
bool SetIEControlPanelRestriction(platform::Registry& registry, std::string_view name,
                                  bool restricted);

bool SetNoBrowserContextMenu(platform::Registry& registry, bool restricted);
bool SetNoBrowserOptions(platform::Registry& registry, bool restricted);
bool SetNoViewSource(platform::Registry& registry, bool restricted);
bool SetGeneralTabRestriction(platform::Registry& registry, bool restricted);
bool SetHomepageRestriction(platform::Registry& registry, bool restricted);

}  // namespace tidora::repair
