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
  for (const auto& database : entry.databases) {
    // A database is one named file in its folder: the checks of such a file key hold.
    const FileKey as_file{database.line, database.folder, {database.file}, FileKeyFlag::kNone};
    if (auto refused = RefusedFileKeyText(as_file)) return Refusal(entry, database.line, *refused);
  }
  return std::nullopt;
}

}  // namespace tidora::rules
