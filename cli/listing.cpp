#include "cli/listing.h"

#include <algorithm>

#include "base/text.h"
#include "cleaning/cleaning_items.h"
#include "cli/item_names.h"

namespace tidora::cli {

namespace {

using ui::ControlId;

// A checkbox selects an item of the run, or for Netscape a step of the Netscape item.
const cleaning::CleaningItem& ItemOf(ControlId box) {
  const ControlId gate = IsNetscapeStep(box) ? ControlId::groupNetscape : box;
  return *std::ranges::find(cleaning::CleaningItems(), gate, &cleaning::CleaningItem::gate);
}

// Where the run takes a whole group or none of it, the group's enabled state says.
bool GroupEnabled(const ui::ControlSet& controls, cleaning::Block block) {
  if (block == cleaning::Block::kNetscape) return controls.Enabled(ControlId::groupNetscape);
  if (block == cleaning::Block::kOffice) return controls.Enabled(ControlId::groupOffice);
  return true;
}

// The item's row caption; a Netscape step's is its box's, after the group's.
std::string CaptionOf(const ui::ControlSet& controls, ControlId box) {
  if (!IsNetscapeStep(box)) return std::string(base::TrimBlanks(ItemOf(box).caption));
  std::string caption(base::TrimBlanks(controls.Caption(ControlId::groupNetscape)));
  caption.append(" ");
  caption.append(base::TrimBlanks(controls.Caption(box)));
  return caption;
}

}  // namespace

std::vector<ListedItem> ListItems(const ui::ControlSet& controls,
                                  const composition::Features& features) {
  std::vector<ListedItem> listed;
  for (const auto& [name, box] : ItemNames()) {
    const cleaning::CleaningItem& item = ItemOf(box);
    listed.push_back(
        {std::string(name), CaptionOf(controls, box),
         features.cleaners().Available(item.cleaner) && GroupEnabled(controls, item.block),
         controls.Ticked(box)});
  }
  for (int node = 0; node < controls.NodeCount(ControlId::AppTree); ++node) {
    if (controls.NodeParent(ControlId::AppTree, node) == ui::ControlSet::kNoNode) continue;
    const std::string name = controls.NodeText(ControlId::AppTree, node);
    listed.push_back(
        {name, name, true, controls.NodeTick(ControlId::AppTree, node) == ui::TickState::kTicked});
  }
  for (const std::string& name : features.applications().Undetected()) {
    listed.push_back({name, name, false, false});
  }
  return listed;
}

}  // namespace tidora::cli
