#include "rules/key_names.h"

#include <array>
#include <string>

#include "base/text.h"

namespace tidora::rules {

namespace {

enum class Numbering { kNever, kOptional, kRequired };

struct KeyForm {
  std::string_view name;  // lower case
  KeyKind kind;
  Numbering numbering;
  std::string_view expected;
};

// clang-format off
constexpr std::array<KeyForm, 12> kKeyForms = {{
    {"langsecref",    KeyKind::kLangSecRef,    Numbering::kNever,    "a group number"},
    {"section",       KeyKind::kSection,       Numbering::kNever,    "a group name"},
    {"detect",        KeyKind::kDetect,        Numbering::kOptional, "a registry key"},
    {"detectfile",    KeyKind::kDetectFile,    Numbering::kOptional, "a path"},
    {"detectos",      KeyKind::kDetectOs,      Numbering::kNever,    "min|max, versions like 6.1 or 10.0"},
    {"specialdetect", KeyKind::kSpecialDetect, Numbering::kNever,    "a token"},
    {"default",       KeyKind::kDefault,       Numbering::kNever,    "True or False"},
    {"warning",       KeyKind::kWarning,       Numbering::kNever,    "a text"},
    {"filekey",       KeyKind::kFileKey,       Numbering::kRequired, "path|patterns[|RECURSE or REMOVESELF]"},
    {"regkey",        KeyKind::kRegKey,        Numbering::kRequired, "key[|value]"},
    {"excludekey",    KeyKind::kExcludeKey,    Numbering::kRequired, "FILE|folder|names, PATH|folder[|patterns] or REG|key[|value]"},
    {"database",      KeyKind::kDatabase,      Numbering::kRequired, "layout|folder|file"},
}};
// clang-format on

constexpr size_t kMostDigits = 6;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<KeyName> ClassifyKey(std::string_view name) {
  size_t digits = 0;
  while (digits < name.size() && IsDigit(name[name.size() - 1 - digits])) ++digits;
  if (digits > kMostDigits) return std::nullopt;
  const std::string base = base::AsciiLower(name.substr(0, name.size() - digits));
  int number = 0;
  for (char c : name.substr(name.size() - digits)) number = number * 10 + (c - '0');
  if (digits > 0 && number == 0) return std::nullopt;
  for (const auto& form : kKeyForms) {
    if (form.name != base) continue;
    if (form.numbering == Numbering::kNever && digits > 0) return std::nullopt;
    if (form.numbering == Numbering::kRequired && digits == 0) return std::nullopt;
    return KeyName{form.kind, number};
  }
  return std::nullopt;
}

std::string_view ExpectedValue(KeyKind kind) {
  for (const auto& form : kKeyForms) {
    if (form.kind == kind) return form.expected;
  }
  return {};
}

}  // namespace tidora::rules
