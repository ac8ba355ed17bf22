#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"

namespace tidora::cleaning {

enum class PlatformFamily { kOther = 0, kWindows9x = 1, kWindowsNt = 2 };

// HOMEDRIVE + HOMEPATH of HKCU "Volatile Environment", without a trailing backslash; empty when
// the key is missing. Callers must treat empty text as "no profile": never as the drive's root.
std::string UserProfileFolder(platform::Registry& registry);

PlatformFamily WindowsPlatform(platform::SystemInfo& system);

// Deletes the plain files directly inside folder that the search mask lets through, and returns
// how many went. Read-only and locked files stay; subfolders and the folder itself are never
// touched. An empty folder text deletes nothing.
int DeletePlainFiles(platform::FileSystem& files, std::string_view folder, std::uint32_t mask);

// Deletes the files directly inside folder, hidden and system ones included, and returns how
// many went. Read-only and locked files stay; subfolders and the folder itself are never touched.
// An empty folder text deletes nothing.
int DeleteFilesInFolder(platform::FileSystem& files, std::string_view folder);

// The current user's application-data folder, where the browsers and Office keep their files:
// the shell's, else "Application Data" below the profile (NT family) or the Windows folder
// (95/98/Me family). Empty, and so nothing to clean, on any other platform or when the folder it
// would lie in is unknown: never a folder at the root of a drive.
// False for an empty text or a bare drive ("C:", "C:\\"): neither names a user's folder.
bool NamesAFolder(std::string_view path);

std::string ApplicationDataFolder(platform::SystemInfo& system, platform::Shell& shell,
                                  platform::Registry& registry, platform::FileSystem& files);

}  // namespace tidora::cleaning
