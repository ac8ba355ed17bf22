#include "cleaning/shared_routines.h"

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

}  // namespace tidora::cleaning
