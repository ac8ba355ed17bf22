#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/wildcard.h"

namespace tidora::rules {

// The segments of a path between "\" or "/" separators, empty ones kept; none for "".
std::vector<std::string_view> PathSegments(std::string_view path);

// Calls visit(segment) for each non-empty segment of the paths in turn, without allocating:
// checks run over thousands of rules.
template <typename Visit>
void ForEachSegment(std::initializer_list<std::string_view> paths, Visit visit) {
  for (std::string_view path : paths) {
    while (!path.empty()) {
      const auto cut = path.find_first_of("\\/");
      const auto segment = path.substr(0, cut);
      if (!segment.empty()) visit(segment);
      if (cut == std::string_view::npos) break;
      path.remove_prefix(cut + 1);
    }
  }
}

bool HasControlCharacter(std::string_view text);

// Whether a name listed in a folder may be used as it is: not one the system would read as
// another ("Web Data." opens "Web Data"), and not the 32-bit view's window onto the 64-bit
// system folder ("Sysnative").
bool UsableListedName(std::string_view name);

// Why one segment of a path makes it ambiguous or lets it leave where it was written: empty,
// "." or "..", a ":" (a drive or a stream), a trailing dot or blank (which the system drops),
// a control character (which the system ends the name at).
std::optional<std::string> RefusedSegment(std::string_view segment);

}  // namespace tidora::rules
