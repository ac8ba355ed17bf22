#pragma once

#include <string_view>

#include "platform/file_system.h"
#include "platform/registry.h"

namespace tidora::repair {

inline constexpr char kExplorerPolicyKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr char kRunKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kWinLogonKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\WinLogon";
// Fixed: the Program Files folder is not looked up.
inline constexpr char kPlantedProgram[] = "C:\\Program Files\\registry.exe";

// The roots a change visits, in this order; under HKLM every view of the machine is visited.
enum class Roots { kUser, kMachine, kUserThenMachine };

// Where the key opens for full access and holds the value; a key that does not open is skipped.
void DeleteIfPresent(platform::Registry& registry, Roots roots, std::string_view key_path,
                     std::string_view name);
// Writes text only over a value that exists, never creating one. A refused write raises
// RegistryError, which ends the run where it stands.
void OverwriteIfPresent(platform::Registry& registry, Roots roots, std::string_view key_path,
                        std::string_view name, std::string_view text);

// The Start-menu, task-bar and desktop policies of the current user.
void DeleteExplorerPolicy(platform::Registry& registry, std::string_view name);

// Deletes the root's Run values that start the browser by its bare program name: REG_SZ data
// whose first eight characters, ASCII lower-cased, are "iexplore". Full paths and expandable
// strings stay.
void DeleteIExploreRunValues(platform::Registry& registry, platform::RegistryRoot root);

// Undoes what makes Windows open a chosen web site at each start: the logon notice, the planted
// "registry.exe" and the browser launches in the Run keys.
void RestartRepair(platform::Registry& registry, platform::FileSystem& files);

}  // namespace tidora::repair
