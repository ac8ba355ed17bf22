#include "browser/autocomplete_cleaner.h"

#include "cleaning/shared_routines.h"

namespace tidora::browser {

using platform::RegistryRoot;

int WipeRegistryKey(platform::Registry& registry, RegistryRoot root, const std::string& path,
                    cleaning::CleanerProgress& progress) {
  if (!registry.Open(root, path)) return 0;
  if (registry.DeleteTree(root, path)) return 1;
  auto key = registry.Open(root, path);
  if (!key) return 0;
  int removed = 0;
  for (const auto& name : key->ValueNames()) {
    if (key->DeleteValue(name)) ++removed;
    KeepAnswering(progress);
  }
  for (const auto& name : key->SubkeyNames()) {
    // A link can lead back up the tree; a trimmed name could address a sibling.
    if (key->SubkeyIsLink(name)) continue;
    removed += WipeRegistryKey(registry, root, path + "\\" + name, progress);
  }
  return removed;
}

int CleanAutoCompleteData(platform::Registry& registry, platform::SystemInfo& system,
                          cleaning::CleanerProgress& progress) {
  int removed = 0;
  if (registry.Open(RegistryRoot::CurrentUser, kIntelliFormsKey) &&
      registry.DeleteTree(RegistryRoot::CurrentUser, kIntelliFormsKey)) {
    removed = 1;
  }
  switch (cleaning::WindowsPlatform(system)) {
    case cleaning::PlatformFamily::kWindows9x:
      return removed +
             WipeRegistryKey(registry, RegistryRoot::LocalMachine, kProtectedStorageKey, progress);
    case cleaning::PlatformFamily::kWindowsNt:
      return removed +
             WipeRegistryKey(registry, RegistryRoot::CurrentUser, kProtectedStorageKey, progress);
    case cleaning::PlatformFamily::kOther:
      break;
  }
  return removed;
}

}  // namespace tidora::browser
