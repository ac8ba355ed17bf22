#pragma once

#include <optional>
#include <string>

#include "rules/rule.h"

namespace tidora::rules {

// Why a FileKey's text is refused as unsafe: its variable, the shape of its path and patterns,
// wildcards next to a variable or a protected folder, recursion and catch-all or wildcard
// patterns in a protected or document folder. nullopt when the text passes.
std::optional<std::string> RefusedFileKeyText(const FileKey& key);

// Why an exclusion cannot be honoured: a folder that does not start with a known variable, or a
// name the system would cut short. nullopt when it can.
std::optional<std::string> RefusedExcludeText(const ExcludeKey& exclude);

}  // namespace tidora::rules
