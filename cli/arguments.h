#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "controls/control_id.h"

namespace tidora::cli {

enum class Mode { kUsage, kPreview, kClean, kList };

// What a command line asks for.
struct Command {
  Mode mode = Mode::kUsage;
  std::vector<std::string> requested;  // the item arguments as given, /defaults included
  bool defaults = false;               // /defaults, or no item at all: what the window ticks
  std::vector<ui::ControlId> boxes;    // the checkboxes named
  std::vector<std::string> entries;    // every other name: entries of the Applications tab
  std::optional<std::string> report;   // the JSON report's path
};

// One line naming the argument at fault.
struct ArgumentError {
  std::string message;
};

// The arguments after the program's name, at least one. Switches start with "/" or "-";
// switches and checkbox names are compared without regard to case. Entry names are taken as
// given: only the rules, once read, can tell whether one exists.
std::variant<Command, ArgumentError> ParseArguments(std::span<const std::string> arguments);

// The line that tells the user an argument is wrong, and where to look.
std::string BadArgument(std::string_view argument, std::string_view why);

}  // namespace tidora::cli
