#include "extensions/extension_lists.h"

#include <optional>
#include <string>

namespace tidora::extensions {

namespace {

using platform::RegistryRoot;
using ui::ControlId;

void FillMenuEntries(ui::ControlSet& controls, platform::Registry& registry) {
  auto menu = registry.Open(RegistryRoot::CurrentUser, kMenuExtKey);
  if (!menu) return;
  for (const auto& name : menu->SubkeyNames()) controls.AddItem(ControlId::ExtendMenuitems, name);
}

// The text an extension shows: its button's, else its menu item's; nullopt when it has neither.
std::optional<std::string> ExtensionText(const platform::RegistryKey& extension) {
  if (extension.HasValue("ButtonText")) return extension.ReadString("ButtonText").value_or("");
  if (extension.HasValue("MenuText")) return extension.ReadString("MenuText").value_or("");
  return std::nullopt;
}

void FillToolsEntries(ui::ControlSet& controls, platform::Registry& registry) {
  std::vector<std::string> names;
  if (auto extensions = registry.Open(RegistryRoot::LocalMachine, kExtensionsKey)) {
    names = extensions->SubkeyNames();
  }
  for (const auto& name : names) {
    auto extension =
        registry.Open(RegistryRoot::LocalMachine, std::string(kExtensionsKey) + "\\" + name);
    if (!extension) continue;
    if (auto text = ExtensionText(*extension)) controls.AddItem(ControlId::ExtendToolsItems, *text);
  }
}

}  // namespace

void FillExtensionLists(ui::ControlSet& controls, platform::Registry& registry) {
  controls.ClearItems(ControlId::ExtendMenuitems);
  controls.ClearItems(ControlId::ExtendToolsItems);
  FillMenuEntries(controls, registry);
  FillToolsEntries(controls, registry);
}

}  // namespace tidora::extensions
