#include "rules/rule_safety.h"

#include "rules/file_key_checks.h"

namespace tidora::rules {

namespace {

Problem Refusal(const RuleEntry& entry, int line, std::string reason) {
  return Problem{ProblemKind::kRefused, line, entry.name, "", std::move(reason)};
}

// A user's file names keys as they are; only the program's own rules expand wildcards.
std::optional<std::string> RefusedRegKeyText(const RegKey& key, RuleSource source) {
  if (source == RuleSource::kUserFile && key.path.find_first_of("*?") != std::string::npos) {
    return "a wildcard in a registry key";
  }
  return RefusedRegistryDelete(key.root, key.path, key.value);
}

}  // namespace

std::optional<Problem> RefusedEntryText(const RuleEntry& entry, RuleSource source) {
  for (const auto& key : entry.file_keys) {
    if (auto refused = RefusedFileKeyText(key)) return Refusal(entry, key.line, *refused);
  }
  for (const auto& key : entry.reg_keys) {
    if (auto refused = RefusedRegKeyText(key, source)) return Refusal(entry, key.line, *refused);
  }
  for (const auto& exclude : entry.excludes) {
    if (auto refused = RefusedExcludeText(exclude)) return Refusal(entry, exclude.line, *refused);
  }
  return std::nullopt;
}

}  // namespace tidora::rules
