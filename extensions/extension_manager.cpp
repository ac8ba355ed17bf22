#include "extensions/extension_manager.h"

#include <set>
#include <string>
#include <vector>

#include "extensions/extension_lists.h"

namespace tidora::extensions {

namespace {

using platform::RegistryRoot;
using platform::TextValue;
using ui::ControlId;

std::vector<std::string> TickedItems(const ui::ControlSet& controls, ControlId list) {
  std::vector<std::string> ticked;
  const int count = controls.ItemCount(list);
  for (int i = 0; i < count; ++i) {
    if (controls.ItemTicked(list, i)) ticked.push_back(controls.ItemText(list, i));
  }
  return ticked;
}

// A missing value, or one that is not text, matches nothing, not even an empty item.
bool ShowsText(const platform::RegistryKey& extension, std::string_view text) {
  return TextValue(extension, "ButtonText") == text || TextValue(extension, "MenuText") == text;
}

}  // namespace

bool ExtensionManager::HandleClick(ControlId id) {
  if (id != ControlId::ToolsMenuDelete) return false;
  ToolsMenuDeleteClick();
  return true;
}

void ExtensionManager::PanelShown(ControlId panel) {
  if (panel != ControlId::ToolsMenuWizard) return;
  FillExtensionLists(controls_, registry_);
  controls_.SetCaption(ControlId::ExtendToolsNote, "");
}

void ExtensionManager::ToolsMenuDeleteClick() {
  for (const auto& name : TickedItems(controls_, ControlId::ExtendMenuitems)) {
    DeleteMenuEntry(name);
  }
  const auto ticked_tools = TickedItems(controls_, ControlId::ExtendToolsItems);
  for (const auto& text : ticked_tools) DeleteToolsEntries(text);
  controls_.Click(ControlId::bntToolsMenu);
  // Machine-wide entries are listed to a standard user, who cannot delete them: what is listed
  // again after a Delete is said, not left to look like a silent failure.
  const std::set<std::string> wanted_gone(ticked_tools.begin(), ticked_tools.end());
  int stayed = 0;
  for (int i = 0; i < controls_.ItemCount(ControlId::ExtendToolsItems); ++i) {
    stayed += wanted_gone.count(controls_.ItemText(ControlId::ExtendToolsItems, i)) ? 1 : 0;
  }
  if (stayed > 0) {
    controls_.SetCaption(ControlId::ExtendToolsNote,
                         std::to_string(stayed) + " entries need an administrator to delete.");
  }
}

void ExtensionManager::DeleteMenuEntry(std::string_view name) {
  // An empty name would address MenuExt itself; a name of blanks is a subkey like any other.
  if (name.empty()) return;
  registry_.DeleteTree(RegistryRoot::CurrentUser,
                       std::string(kMenuExtKey) + "\\" + std::string(name));
}

// Every extension subkey, in every view, whose button or menu text is exactly the item's text.
void ExtensionManager::DeleteToolsEntries(std::string_view text) {
  for (const auto view : registry_.ViewsOf(RegistryRoot::LocalMachine)) {
    auto extensions = registry_.OpenForRead(RegistryRoot::LocalMachine, kExtensionsKey, view);
    if (!extensions) continue;
    for (const auto& name : extensions->SubkeyNames()) {
      const std::string path = std::string(kExtensionsKey) + "\\" + name;
      auto extension = registry_.OpenForRead(RegistryRoot::LocalMachine, path, view);
      const bool matches = extension && ShowsText(*extension, text);
      extension.reset();
      if (matches) registry_.DeleteTree(RegistryRoot::LocalMachine, path, view);
    }
  }
}

}  // namespace tidora::extensions
