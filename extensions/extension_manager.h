#pragma once

#include <string_view>

#include "controls/control_set.h"
#include "controls/feature.h"
#include "platform/registry.h"

namespace tidora::extensions {

// The Tools&Menu panel: its lists are filled afresh each time it is shown, and "Delete" removes
// the keys of the ticked entries.
class ExtensionManager final : public ui::Feature {
 public:
  ExtensionManager(ui::ControlSet& controls, platform::Registry& registry)
      : controls_(controls), registry_(registry) {}

  bool HandleClick(ui::ControlId id) override;
  void PanelShown(ui::ControlId panel) override;

  // Deletes the keys of the ticked entries, then shows the panel again, both lists refilled.
  // An item's text is taken exactly as listed, untrimmed. A deletion the system refuses
  // leaves its entry, listed again, and the count of such toolbar entries is said under their list.
  void ToolsMenuDeleteClick();

 private:
  void DeleteMenuEntry(std::string_view name);
  void DeleteToolsEntries(std::string_view text);

  ui::ControlSet& controls_;
  platform::Registry& registry_;
};

}  // namespace tidora::extensions
