// The shape checks the run applies to every concrete folder and pattern.

#include <algorithm>

#include "rules/path_text.h"
#include "rules/rule_safety.h"

namespace tidora::rules {

namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::optional<std::string> RefusedPathShape(std::string_view path) {
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    return "a UNC or device path";
  }
  // "C:" alone or "C:folder" is the current folder of that drive, not its root.
  if (path.size() < 3 || !IsAsciiLetter(path[0]) || path[1] != ':' || !IsSeparator(path[2])) {
    return "not a full path on a drive";
  }
  std::string_view below = path.substr(3);
  while (!below.empty() && IsSeparator(below.back())) below.remove_suffix(1);
  for (auto segment : PathSegments(below)) {
    if (auto refused = RefusedSegment(segment)) return refused;
  }
  return std::nullopt;
}

std::optional<std::string> RefusedPattern(std::string_view pattern) {
  if (pattern.find_first_of("\\/:") != std::string_view::npos) {
    return "a pattern holding '\\', '/' or ':'";
  }
  if (pattern == "..") return "the pattern '..'";
  if (HasControlCharacter(pattern)) return "a control character in a pattern";
  return std::nullopt;
}

bool MatchesEverything(std::string_view pattern) {
  return std::all_of(pattern.begin(), pattern.end(),
                     [](char c) { return c == '*' || c == '?' || c == '.'; });
}

}  // namespace tidora::rules
