#include "cli/selection.h"

#include <algorithm>

#include "base/text.h"
#include "cli/item_names.h"

namespace tidora::cli {

namespace {

using ui::ControlId;
using ui::TickState;
constexpr ControlId kTree = ControlId::AppTree;

bool SameName(std::string_view left, std::string_view right) {
  return base::AsciiLower(left) == base::AsciiLower(right);
}

// The tree's entry nodes, groups left out.
std::vector<int> EntryNodes(const ui::ControlSet& controls) {
  std::vector<int> nodes;
  for (int node = 0; node < controls.NodeCount(kTree); ++node) {
    if (controls.NodeParent(kTree, node) != ui::ControlSet::kNoNode) nodes.push_back(node);
  }
  return nodes;
}

bool NamedEntry(const ui::ControlSet& controls, int node, const Command& command) {
  return std::ranges::any_of(command.entries, [&](const std::string& name) {
    return SameName(controls.NodeText(kTree, node), name);
  });
}

// Checks every named entry against the tree and the entries not found on this PC.
Selection CheckEntries(const Command& command, const ui::ControlSet& controls,
                       const rules::ApplicationsTab& applications) {
  Selection selection;
  const std::vector<int> nodes = EntryNodes(controls);
  for (const std::string& name : command.entries) {
    const auto shown = [&](int node) { return SameName(controls.NodeText(kTree, node), name); };
    const auto absent = [&](const std::string& each) { return SameName(each, name); };
    if (std::ranges::any_of(nodes, shown)) continue;
    if (std::ranges::none_of(applications.Undetected(), absent)) {
      selection.unknown = name;
      return selection;
    }
    std::string line = "\"";
    line.append(name);
    line.append("\": not found on this PC.");
    selection.lines.push_back(std::move(line));
  }
  return selection;
}

void TickBoxes(const Command& command, ui::ControlSet& controls) {
  for (const auto& [name, box] : ItemNames()) {
    const bool named = std::ranges::count(command.boxes, box) > 0;
    controls.SetTicked(box, named || (command.defaults && controls.Ticked(box)));
  }
  const bool netscape_step = std::ranges::any_of(ItemNames(), [&](const ItemName& item) {
    return IsNetscapeStep(item.id) && controls.Ticked(item.id);
  });
  if (!netscape_step) controls.SetEnabled(ControlId::groupNetscape, false);
}

void TickEntries(const Command& command, ui::ControlSet& controls,
                 const rules::ApplicationsTab& applications, Selection& selection) {
  for (int node : EntryNodes(controls)) {
    const bool kept = command.defaults && controls.NodeTick(kTree, node) == TickState::kTicked;
    const bool ticked = kept || NamedEntry(controls, node, command);
    controls.SetNodeTick(kTree, node, ticked ? TickState::kTicked : TickState::kUnticked);
    const std::string warning = applications.Warning(node);
    if (!ticked || warning.empty()) continue;
    std::string line = "Warning, \"";
    line.append(controls.NodeText(kTree, node));
    line.append("\": ");
    line.append(warning);
    selection.lines.push_back(std::move(line));
  }
}

}  // namespace

Selection Select(const Command& command, ui::ControlSet& controls,
                 const rules::ApplicationsTab& applications) {
  Selection selection = CheckEntries(command, controls, applications);
  if (selection.unknown) return selection;
  TickBoxes(command, controls);
  TickEntries(command, controls, applications, selection);
  return selection;
}

}  // namespace tidora::cli
