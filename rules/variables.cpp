#include "rules/variables.h"

#include <array>

#include "base/text.h"

namespace tidora::rules {

namespace {

struct VariableName {
  std::string_view name;  // lower case, without the percent signs
  Variable variable;
};

constexpr std::array<VariableName, 17> kVariables = {{
    {"appdata", Variable::kAppData},
    {"localappdata", Variable::kLocalAppData},
    {"locallowappdata", Variable::kLocalLowAppData},
    {"userprofile", Variable::kUserProfile},
    {"documents", Variable::kDocuments},
    {"pictures", Variable::kPictures},
    {"music", Variable::kMusic},
    {"video", Variable::kVideo},
    {"public", Variable::kPublic},
    {"programdata", Variable::kProgramData},
    {"commonappdata", Variable::kProgramData},
    {"programfiles", Variable::kProgramFiles},
    {"commonprogramfiles", Variable::kCommonProgramFiles},
    {"windir", Variable::kWinDir},
    {"systemdrive", Variable::kSystemDrive},
    {"temp", Variable::kTemp},
    {"username", Variable::kUserName},
}};

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

std::optional<Variable> VariableNamed(std::string_view name) {
  const std::string lower = base::AsciiLower(name);
  for (const auto& entry : kVariables) {
    if (entry.name == lower) return entry.variable;
  }
  return std::nullopt;
}

std::string_view WithoutSeparatorsAtEnds(std::string_view text) {
  while (!text.empty() && IsSeparator(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSeparator(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<VariablePath> SplitVariable(std::string_view path) {
  if (path.size() < 2 || path.front() != '%') return std::nullopt;
  const size_t close = path.find('%', 1);
  if (close == std::string_view::npos) return std::nullopt;
  const auto variable = VariableNamed(path.substr(1, close - 1));
  if (!variable) return std::nullopt;
  const std::string_view rest = path.substr(close + 1);
  // "%AppData%Foo" names no folder of the variable's.
  if (!rest.empty() && !IsSeparator(rest.front())) return std::nullopt;
  return VariablePath{*variable, std::string(WithoutSeparatorsAtEnds(rest))};
}

bool IsDocumentVariable(Variable variable) {
  switch (variable) {
    case Variable::kDocuments:
    case Variable::kPictures:
    case Variable::kMusic:
    case Variable::kVideo:
    case Variable::kPublic:
      return true;
    default:
      return false;
  }
}

}  // namespace tidora::rules
