#include "cleaning/shared_routines.h"

#include "base/text.h"
#include "cleaning/file_search.h"

namespace tidora::cleaning {

std::string UserProfileFolder(platform::Registry& registry) {
  auto key = registry.Open(platform::RegistryRoot::CurrentUser, "Volatile Environment");
  if (!key) return {};
  try {
    return key->ReadString("HOMEDRIVE").value_or("") + key->ReadString("HOMEPATH").value_or("");
  } catch (const platform::RegistryError&) {
    // A hostile non-string value names no profile we could trust.
    return {};
  }
}

PlatformFamily WindowsPlatform(platform::SystemInfo& system) {
  switch (system.PlatformId().value_or(0)) {
    case platform::kPlatformWin32Windows:
      return PlatformFamily::kWindows9x;
    case platform::kPlatformWin32Nt:
      return PlatformFamily::kWindowsNt;
    default:
      return PlatformFamily::kOther;
  }
}

int DeletePlainFiles(platform::FileSystem& files, std::string_view folder, std::uint32_t mask) {
  // An unknown folder must never become the drive's root.
  if (folder.empty()) return 0;
  int deleted = 0;
  SearchFolder(files, JoinPath(folder, "*.*"), mask, [&](const platform::FoundEntry& entry) {
    const std::string path = JoinPath(folder, entry.name);
    if (files.IsFile(path) && files.RemoveFile(path)) ++deleted;
    return true;  // a broken listing ends by itself; what went before stays counted
  });
  return deleted;
}

int DeleteFilesInFolder(platform::FileSystem& files, std::string_view folder) {
  return DeletePlainFiles(files, folder, kMaskAnyFile);
}

bool NamesAFolder(std::string_view path) {
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return !path.empty() && !(path.size() == 2 && path[1] == ':');
}

std::string ApplicationDataFolder(platform::SystemInfo& system, platform::Shell& shell,
                                  platform::Registry& registry, platform::FileSystem& files) {
  const PlatformFamily family = WindowsPlatform(system);
  if (family == PlatformFamily::kOther) return {};
  // Newer systems have no "Application Data" in the profile, and folders may be redirected.
  std::string folder = shell.ApplicationDataFolder();
  if (!folder.empty()) return folder;
  const std::string base = family == PlatformFamily::kWindowsNt
                               ? UserProfileFolder(registry)
                               : std::string(base::TrimBlanks(files.WindowsFolder()));
  return NamesAFolder(base) ? JoinPath(base, "Application Data") : std::string();
}

}  // namespace tidora::cleaning
