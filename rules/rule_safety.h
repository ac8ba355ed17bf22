#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "rules/rule.h"

namespace tidora::rules {

// The load-time checks on an entry's text: the first key that is refused as unsafe, with the
// reason; nullopt when every key passes. Covers the shapes of paths and patterns, variables,
// wildcards next to a variable, recursion and wildcards in a variable's protected folder,
// exclusions that cannot be honoured and protected registry keys.
std::optional<Problem> RefusedEntryText(const RuleEntry& entry, RuleSource source);

// Why deleting this concrete key (value: nullopt) or value may not happen; nullopt when it may.
// Protected keys and their ancestors, anything under HKLM SYSTEM, values under Environment,
// SYSTEM or a Winlogon key. Views and aliases are folded first (HKCR\X is Software\Classes\X,
// Wow6432Node\X is X, HKU\<sid>\ is HKCU\).
std::optional<std::string> RefusedRegistryDelete(platform::RegistryRoot root, std::string_view path,
                                                 const std::optional<std::string>& value);

// Why a concrete path may not be cleaned for its shape: UNC and device paths, "." or ".."
// segments, no drive letter; nullopt when its shape is sound.
std::optional<std::string> RefusedPathShape(std::string_view path);

// Why a file-name pattern is refused: it holds "\", "/" or ":", or is ".."; nullopt when sound.
std::optional<std::string> RefusedPattern(std::string_view pattern);

// Whether a pattern matches every file: made only of "*", "?" and ".".
bool MatchesEverything(std::string_view pattern);

}  // namespace tidora::rules
