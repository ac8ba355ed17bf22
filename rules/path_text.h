#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/wildcard.h"

namespace tidora::rules {

// The segments of a path between "\" or "/" separators, empty ones kept; none for "".
std::vector<std::string_view> PathSegments(std::string_view path);

bool HasControlCharacter(std::string_view text);

// Why one segment of a path makes it ambiguous or lets it leave where it was written: empty,
// "." or "..", a ":" (a drive or a stream), a trailing dot or blank (which the system drops),
// a control character (which the system ends the name at).
std::optional<std::string> RefusedSegment(std::string_view segment);

}  // namespace tidora::rules
