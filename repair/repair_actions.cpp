#include "repair/repair_actions.h"

#include <string>
#include <vector>

#include "base/text.h"

namespace tidora::repair {

namespace {

using platform::RegistryRoot;

std::vector<RegistryRoot> InOrder(Roots roots) {
  switch (roots) {
    case Roots::kUser:
      return {RegistryRoot::CurrentUser};
    case Roots::kMachine:
      return {RegistryRoot::LocalMachine};
    case Roots::kUserThenMachine:
      break;
  }
  return {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine};
}

// Opens the key in each root and view in turn, closing each before the next opens.
template <typename Change>
void ForEachKey(platform::Registry& registry, Roots roots, std::string_view key_path,
                Change change) {
  for (const auto root : InOrder(roots)) {
    for (const auto view : registry.ViewsOf(root)) {
      if (auto key = registry.Open(root, key_path, view)) change(*key);
    }
  }
}

bool StartsTheBrowserByName(std::string_view data) {
  return data.size() >= 8 && base::AsciiLower(data.substr(0, 8)) == "iexplore";
}

}  // namespace

void DeleteIfPresent(platform::Registry& registry, Roots roots, std::string_view key_path,
                     std::string_view name) {
  ForEachKey(registry, roots, key_path, [&](platform::RegistryKey& key) {
    if (key.HasValue(name)) key.DeleteValue(name);
  });
}

void OverwriteIfPresent(platform::Registry& registry, Roots roots, std::string_view key_path,
                        std::string_view name, std::string_view text) {
  ForEachKey(registry, roots, key_path, [&](platform::RegistryKey& key) {
    if (key.HasValue(name)) key.WriteString(name, text);
  });
}

void DeleteExplorerPolicy(platform::Registry& registry, std::string_view name) {
  DeleteIfPresent(registry, Roots::kUser, kExplorerPolicyKey, name);
}

void DeleteIExploreRunValues(platform::Registry& registry, RegistryRoot root) {
  const Roots roots = root == RegistryRoot::CurrentUser ? Roots::kUser : Roots::kMachine;
  ForEachKey(registry, roots, kRunKey, [](platform::RegistryKey& key) {
    // The names are taken once, before anything is deleted.
    for (const auto& name : key.ValueNames()) {
      if (key.TypeOf(name) != platform::ValueType::String) continue;
      // Rewritten with another type since the look, it is no text: passed over.
      if (StartsTheBrowserByName(platform::TextValue(key, name).value_or(""))) {
        key.DeleteValue(name);
      }
    }
  });
}

void RestartRepair(platform::Registry& registry, platform::FileSystem& files) {
  DeleteIfPresent(registry, Roots::kMachine, kWinLogonKey, "LegalNoticeCaption");
  DeleteIfPresent(registry, Roots::kMachine, kWinLogonKey, "LegalNoticeText");
  DeleteIfPresent(registry, Roots::kMachine, kRunKey, "registry.exe");
  if (files.IsFile(kPlantedProgram)) files.RemoveFile(kPlantedProgram);
  DeleteIExploreRunValues(registry, RegistryRoot::CurrentUser);
  DeleteIExploreRunValues(registry, RegistryRoot::LocalMachine);
}

}  // namespace tidora::repair
