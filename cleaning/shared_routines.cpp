#include "cleaning/shared_routines.h"

#include <algorithm>

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

ReachedFolder ReachedFolder::Below(std::string_view names) const {
  if (known.empty()) return {};
  return ReachedFolder(known, fixed.empty() ? std::string(names) : JoinPath(fixed, names));
}

std::string ReachedFolder::Path() const {
  if (known.empty() || fixed.empty()) return known;
  return JoinPath(known, fixed);
}

std::string EnterableFolder(platform::FileSystem& files, const ReachedFolder& folder) {
  // An unknown folder must never become the drive's root.
  if (folder.known.empty()) return {};
  // Each fixed name on the way is looked at, the last one too: a link anywhere could lead off.
  for (std::size_t end = 0; end < folder.fixed.size();) {
    end = std::min(folder.fixed.find('\\', end + 1), folder.fixed.size());
    const auto found = files.Attributes(JoinPath(folder.known, folder.fixed.substr(0, end)));
    if (found && (*found & platform::attribute::kReparsePoint)) return {};
  }
  return folder.Path();
}

int DeletePlainFiles(platform::FileSystem& files, const ReachedFolder& folder, std::uint32_t mask) {
  const std::string path = EnterableFolder(files, folder);
  if (path.empty()) return 0;
  int deleted = 0;
  SearchFolder(files, JoinPath(path, "*.*"), mask, [&](const platform::FoundEntry& entry) {
    const std::string file = JoinPath(path, entry.name);
    if (files.IsFile(file) && files.RemoveFile(file)) ++deleted;
    return true;  // a broken listing ends by itself; what went before stays counted
  });
  return deleted;
}

int DeleteFilesInFolder(platform::FileSystem& files, const ReachedFolder& folder) {
  return DeletePlainFiles(files, folder, kMaskAnyFile);
}

bool RemoveFileClearingAttributes(platform::FileSystem& files, const std::string& path,
                                  std::uint32_t attributes) {
  using namespace platform::attribute;
  const bool guarded = attributes & (kReadOnly | kHidden | kSystem);
  if (guarded) files.SetAttributes(path, kNormal);
  if (files.RemoveFile(path)) return true;
  if (guarded) files.SetAttributes(path, attributes);  // it stays, as it was
  return false;
}

bool NamesAFolder(std::string_view path) {
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return !path.empty() && !(path.size() == 2 && path[1] == ':');
}

ReachedFolder ApplicationDataFolder(platform::SystemInfo& system, platform::Shell& shell,
                                    platform::Registry& registry, platform::FileSystem& files) {
  const PlatformFamily family = WindowsPlatform(system);
  if (family == PlatformFamily::kOther) return {};
  // Newer systems have no "Application Data" in the profile, and folders may be redirected.
  std::string folder = shell.ApplicationDataFolder();
  if (!folder.empty()) return ReachedFolder(std::move(folder));
  std::string base = family == PlatformFamily::kWindowsNt
                         ? UserProfileFolder(registry)
                         : std::string(base::TrimBlanks(files.WindowsFolder()));
  if (!NamesAFolder(base)) return {};
  return ReachedFolder(std::move(base), "Application Data");
}

}  // namespace tidora::cleaning
