#include "rules/path_text.h"

#include <algorithm>

#include "base/text.h"

namespace tidora::rules {

namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

}  // namespace

std::vector<std::string_view> PathSegments(std::string_view path) {
  std::vector<std::string_view> segments;
  if (path.empty()) return segments;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || IsSeparator(path[i])) {
      segments.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return segments;
}

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool UsableListedName(std::string_view name) {
  return !RefusedSegment(name) && base::AsciiLower(name) != "sysnative";
}

std::optional<std::string> RefusedSegment(std::string_view segment) {
  if (segment.empty()) return "an empty path segment";
  if (segment == "." || segment == "..") return "a '.' or '..' path segment";
  if (segment.find(':') != std::string_view::npos) return "a ':' inside a path";
  if (HasControlCharacter(segment)) return "a control character in a path";
  if (segment.back() == '.' || segment.back() == ' ') {
    return "a path segment ending in a dot or blank";
  }
  return std::nullopt;
}

}  // namespace tidora::rules
