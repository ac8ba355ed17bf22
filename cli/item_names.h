#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "controls/control_id.h"

namespace tidora::cli {

// A cleaning checkbox by the name the command line and the report give it: its control name.
struct ItemName {
  std::string_view name;
  ui::ControlId id;
};

// Every cleaning checkbox, in the window's order.
std::span<const ItemName> ItemNames();

// The checkboxes a name selects, compared without regard to case: one, or for groupNetscape,
// the Netscape row's name, all its steps; none for a name no checkbox has.
std::vector<ui::ControlId> BoxesNamed(std::string_view name);

// The name of a checkbox, or of groupNetscape; empty for any other control.
std::string_view NameOf(ui::ControlId id);

// The Netscape checkboxes choose the steps of one row rather than rows of their own.
bool IsNetscapeStep(ui::ControlId id);

}  // namespace tidora::cli
