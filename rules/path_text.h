#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tidora::rules {

// The segments of a path between "\" or "/" separators, empty ones kept; none for "".
std::vector<std::string_view> PathSegments(std::string_view path);

bool HasWildcard(std::string_view text);
bool HasControlCharacter(std::string_view text);

// Whether name matches pattern ("*": any run, "?": any one character), ASCII letters compared
// without regard to case.
bool WildcardMatches(std::string_view pattern, std::string_view name);

// Why one segment of a path makes it ambiguous or lets it leave where it was written: empty,
// "." or "..", a ":" (a drive or a stream), a trailing dot or blank (which the system drops),
// a control character (which the system ends the name at).
std::optional<std::string> RefusedSegment(std::string_view segment);

}  // namespace tidora::rules
