#include "rules/file_key_checks.h"

#include <algorithm>
#include <span>
#include <vector>

#include "rules/path_text.h"
#include "rules/protected_folders.h"
#include "rules/rule_safety.h"
#include "rules/variables.h"

namespace tidora::rules {

namespace {

// Enough letters that a wildcard cannot reach most of a protected folder's neighbours.
constexpr size_t kLettersBeforeWildcard = 3;

std::optional<std::string> RefusedStart(std::string_view path,
                                        const std::optional<VariablePath>& split) {
  if (!split) {
    return path.starts_with('%') ? "a path that does not start with a known variable"
                                 : "a path that does not start with a variable";
  }
  if (split->variable == Variable::kUserName) return "%UserName% names no folder";
  return std::nullopt;
}

size_t LettersBeforeWildcard(std::string_view segment) {
  return std::min(segment.find_first_of("*?"), segment.size());
}

// The segment after a variable, or after a folder that may be protected, starts with letters.
std::optional<std::string> RefusedWildcardPlacement(Variable variable,
                                                    std::span<const std::string_view> segments) {
  for (size_t i = 0; i < segments.size(); ++i) {
    if (!HasWildcard(segments[i]) || LettersBeforeWildcard(segments[i]) >= kLettersBeforeWildcard) {
      continue;
    }
    if (i == 0 || StandingOf(variable, segments.first(i)).protected_folder) {
      return "a wildcard within three letters of a variable or protected folder";
    }
  }
  return std::nullopt;
}

std::optional<std::string> RefusedInProtectedFolder(FolderStanding standing, const FileKey& key) {
  if (standing.protected_folder && key.flag != FileKeyFlag::kNone) {
    return "RECURSE or REMOVESELF in a protected folder";
  }
  for (const auto& pattern : key.patterns) {
    if (standing.protected_folder && MatchesEverything(pattern)) {
      return "a pattern matching every file in a protected folder";
    }
    if (standing.document_folder && HasWildcard(pattern)) {
      return "a wildcard pattern in a document folder";
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> RefusedFileKeyText(const FileKey& key) {
  const auto split = SplitVariable(key.path);
  if (auto refused = RefusedStart(key.path, split)) return refused;
  const auto segments = PathSegments(split->rest);
  for (auto segment : segments) {
    if (auto refused = RefusedSegment(segment)) return refused;
  }
  if (auto refused = RefusedWildcardPlacement(split->variable, segments)) return refused;
  for (const auto& pattern : key.patterns) {
    if (auto refused = RefusedPattern(pattern)) return refused;
  }
  return RefusedInProtectedFolder(StandingOf(split->variable, segments), key);
}

std::optional<std::string> RefusedExcludeText(const ExcludeKey& exclude) {
  if (exclude.kind == ExcludeKind::kRegistry) {
    const bool cut = HasControlCharacter(exclude.key.path) ||
                     (exclude.key.value && HasControlCharacter(*exclude.key.value));
    if (cut) return "an exclusion with a control character";
    return std::nullopt;
  }
  const auto split = SplitVariable(exclude.folder);
  if (!split || split->variable == Variable::kUserName) {
    return "an exclusion whose folder does not start with a known variable";
  }
  const bool cut = HasControlCharacter(exclude.folder) ||
                   std::any_of(exclude.names.begin(), exclude.names.end(),
                               [](const std::string& name) { return HasControlCharacter(name); });
  if (cut) return "an exclusion with a control character";
  return std::nullopt;
}

}  // namespace tidora::rules
