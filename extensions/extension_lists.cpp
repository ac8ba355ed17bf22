#include "extensions/extension_lists.h"

#include <set>
#include <string>

#include "base/text.h"

namespace tidora::extensions {

namespace {

using platform::RegistryRoot;
using platform::TextValue;
using ui::ControlId;

void FillMenuEntries(ui::ControlSet& controls, platform::Registry& registry) {
  auto menu = registry.OpenForRead(RegistryRoot::CurrentUser, kMenuExtKey);
  if (!menu) return;
  for (const auto& name : menu->SubkeyNames()) controls.AddItem(ControlId::ExtendMenuitems, name);
}

// The text an extension shows: its button's, else its menu item's; nullopt when it has neither.
std::optional<std::string> ExtensionText(const platform::RegistryKey& extension) {
  if (auto text = TextValue(extension, "ButtonText")) return text;
  return TextValue(extension, "MenuText");
}

// A key shared by both views, or copied into both, is one extension: listed once, by name.
void FillToolsEntries(ui::ControlSet& controls, platform::Registry& registry) {
  std::set<std::string> listed;
  for (const auto view : registry.ViewsOf(RegistryRoot::LocalMachine)) {
    std::vector<std::string> names;
    if (auto extensions = registry.OpenForRead(RegistryRoot::LocalMachine, kExtensionsKey, view)) {
      names = extensions->SubkeyNames();
    }
    for (const auto& name : names) {
      if (listed.count(base::AsciiLower(name))) continue;
      auto extension = registry.OpenForRead(RegistryRoot::LocalMachine,
                                            std::string(kExtensionsKey) + "\\" + name, view);
      if (!extension) continue;
      if (auto text = ExtensionText(*extension)) {
        controls.AddItem(ControlId::ExtendToolsItems, *text);
        listed.insert(base::AsciiLower(name));
      }
    }
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
