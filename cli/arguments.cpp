#include "cli/arguments.h"

#include <algorithm>

#include "base/text.h"
#include "cli/item_names.h"

namespace tidora::cli {

namespace {

struct ModeSwitch {
  std::string_view name;
  Mode mode;
};

constexpr ModeSwitch kModes[] = {
    {"preview", Mode::kPreview},
    {"clean", Mode::kClean},
    {"list", Mode::kList},
    {"?", Mode::kUsage},
};

constexpr std::string_view kDefaults = "defaults";
constexpr std::string_view kReport = "report";

bool IsSwitch(std::string_view argument) {
  return argument.size() > 1 && (argument.front() == '/' || argument.front() == '-');
}

// Gathers a command from the arguments; the first fault ends it.
class Parser {
 public:
  std::optional<ArgumentError> Take(const std::string& argument) {
    if (!IsSwitch(argument)) return TakeItem(argument);
    const std::string name = base::AsciiLower(argument.substr(1));
    const auto mode = std::ranges::find(kModes, name, &ModeSwitch::name);
    if (mode != std::end(kModes)) return TakeMode(argument, mode->mode);
    if (name == kDefaults) {
      command_.defaults = true;
      command_.requested.push_back(argument);
      return std::nullopt;
    }
    if (name == kReport || name.starts_with(std::string(kReport) + ':')) {
      return TakeReport(argument);
    }
    return Fault(argument, "unknown switch");
  }

  std::variant<Command, ArgumentError> Finish(std::string_view first) {
    if (usage_) return Command{};
    if (!mode_) return ArgumentError{BadArgument(first, "give /preview, /clean or /list")};
    command_.mode = *mode_;
    if (command_.mode == Mode::kList && !command_.requested.empty()) {
      return ArgumentError{BadArgument(command_.requested.front(), "/list takes no items")};
    }
    if (command_.boxes.empty() && command_.entries.empty()) command_.defaults = true;
    return command_;
  }

 private:
  static ArgumentError Fault(std::string_view argument, std::string_view why) {
    return {BadArgument(argument, why)};
  }

  std::optional<ArgumentError> TakeMode(std::string_view argument, Mode mode) {
    if (mode == Mode::kUsage) {
      usage_ = true;
      return std::nullopt;
    }
    if (mode_ && *mode_ != mode)
      return Fault(argument, "give only one of /preview, /clean or /list");
    mode_ = mode;
    return std::nullopt;
  }

  std::optional<ArgumentError> TakeReport(const std::string& argument) {
    const auto colon = argument.find(':');
    if (colon == std::string::npos || colon + 1 == argument.size()) {
      return Fault(argument, "the report needs a file: /report:FILE");
    }
    if (command_.report) return Fault(argument, "only one report file");
    command_.report = argument.substr(colon + 1);
    return std::nullopt;
  }

  std::optional<ArgumentError> TakeItem(const std::string& argument) {
    if (base::TrimBlanks(argument).empty()) return Fault(argument, "an empty item name");
    command_.requested.push_back(argument);
    const auto boxes = BoxesNamed(argument);
    if (boxes.empty()) command_.entries.push_back(argument);
    command_.boxes.insert(command_.boxes.end(), boxes.begin(), boxes.end());
    return std::nullopt;
  }

  Command command_;
  std::optional<Mode> mode_;
  bool usage_ = false;
};

}  // namespace

std::string BadArgument(std::string_view argument, std::string_view why) {
  std::string line = "\"";
  line += argument;
  line += "\": ";
  line += why;
  line += ". See \"tidora /?\" for usage.";
  return line;
}

std::variant<Command, ArgumentError> ParseArguments(std::span<const std::string> arguments) {
  Parser parser;
  for (const std::string& argument : arguments) {
    if (auto fault = parser.Take(argument)) return *fault;
  }
  return parser.Finish(arguments.empty() ? std::string_view() : arguments.front());
}

}  // namespace tidora::cli
