#pragma once

#include <optional>
#include <string_view>

namespace tidora::rules {

enum class KeyKind {
  kLangSecRef,
  kSection,
  kDetect,
  kDetectFile,
  kDetectOs,
  kSpecialDetect,
  kDefault,
  kWarning,
  kFileKey,
  kRegKey,
  kExcludeKey,
  kDatabase,
};

struct KeyName {
  KeyKind kind;
  int number = 0;  // 0: written without a number
};

// "FileKey12" gives kFileKey and 12, names compared without regard to case; nullopt for a name
// no entry may hold (unknown, a number where none belongs, none where one must be).
std::optional<KeyName> ClassifyKey(std::string_view name);

// The shape a value of this kind must have, for a report of a malformed one.
std::string_view ExpectedValue(KeyKind kind);

}  // namespace tidora::rules
