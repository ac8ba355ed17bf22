#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

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

// A folder as the program reaches it: a known folder as the shell, the registry or the system
// names it (the temporary folder, the shell's Recent and Application Data, the profile), trusted
// as it is, and fixed names joined below it (the profile's "Recent" when the shell names none).
// None of those names is entered when it is a junction or a link: one planted at "Office\Recent"
// that leads to Documents must not have Documents emptied.
struct ReachedFolder {
  ReachedFolder() = default;
  explicit ReachedFolder(std::string known_folder, std::string fixed_names = {})
      : known(std::move(known_folder)), fixed(std::move(fixed_names)) {}

  std::string known;  // empty: no folder at all
  std::string fixed;  // "Microsoft\Office\Recent"; empty for the known folder itself

  ReachedFolder Below(std::string_view names) const;
  std::string Path() const;
};

// The folder's path when no fixed name on the way is a junction or a link; empty otherwise, and
// for no folder.
std::string EnterableFolder(platform::FileSystem& files, const ReachedFolder& folder);

// Deletes the plain files directly inside folder that the search mask lets through, and returns
// how many went. Read-only and locked files stay; subfolders and the folder itself are never
// touched, and nothing is deleted through a linked fixed name.
int DeletePlainFiles(platform::FileSystem& files, const ReachedFolder& folder, std::uint32_t mask);

// Deletes the files directly inside folder, hidden and system ones included, as DeletePlainFiles.
int DeleteFilesInFolder(platform::FileSystem& files, const ReachedFolder& folder);

// Deletes a file whatever its read-only, hidden and system bits (attributes: as listed), which
// are cleared first and put back when the deletion fails: a file in use stays as it was.
bool RemoveFileClearingAttributes(platform::FileSystem& files, const std::string& path,
                                  std::uint32_t attributes);

// False for an empty text or a bare drive ("C:", "C:\\"): neither names a user's folder.
bool NamesAFolder(std::string_view path);

// The current user's application-data folder, where the browsers and Office keep their files:
// the shell's, else "Application Data" below the profile (NT family) or the Windows folder
// (95/98/Me family). No folder on any other platform or when the folder it would lie in is
// unknown: never a folder at the root of a drive.
ReachedFolder ApplicationDataFolder(platform::SystemInfo& system, platform::Shell& shell,
                                    platform::Registry& registry, platform::FileSystem& files);

}  // namespace tidora::cleaning
