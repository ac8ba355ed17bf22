#include "extensions/extension_manager.h"

#include "extensions/extension_lists.h"

namespace tidora::extensions {

bool ExtensionManager::HandleClick(ui::ControlId) {
  return false;
}

void ExtensionManager::PanelShown(ui::ControlId panel) {
  if (panel == ui::ControlId::ToolsMenuWizard) FillExtensionLists(controls_, registry_);
}

}  // namespace tidora::extensions
