#pragma once

#include <optional>
#include <string_view>

#include "rules/rule.h"

namespace tidora::rules {

// The values of a rule file's keys; nullopt for a malformed one. Parts are trimmed of blanks.
// Line numbers are left for the caller to set.

std::optional<int> ParseGroupNumber(std::string_view value);
std::optional<bool> ParseTruth(std::string_view value);  // True / False, any case
std::optional<OsRange> ParseOsRange(std::string_view value);
std::optional<FileKey> ParseFileKey(std::string_view value);
// key[|value]; a root alone gives an empty path, which the safety checks refuse to delete.
std::optional<RegKey> ParseRegKey(std::string_view value);
// A key without a value, for detection.
std::optional<RegKey> ParseDetectKey(std::string_view value);
std::optional<ExcludeKey> ParseExcludeKey(std::string_view value);
// layout|folder|file, the layout one this program knows and the file a plain name.
std::optional<DatabaseKey> ParseDatabaseKey(std::string_view value);

}  // namespace tidora::rules
