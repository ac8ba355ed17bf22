#include "rules/path_text.h"

#include <algorithm>

namespace tidora::rules {

namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
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

bool HasWildcard(std::string_view text) {
  return text.find_first_of("*?") != std::string_view::npos;
}

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// Greedy with one point of return: the last "*" seen takes one more character on a mismatch.
bool WildcardMatches(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0;
  size_t star = std::string_view::npos, star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_n = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || AsciiLower(pattern[p]) == AsciiLower(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
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
