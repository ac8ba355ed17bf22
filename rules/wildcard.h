#pragma once

#include <string_view>

namespace tidora::rules {

// Whether a long file or key name matches a pattern of "*" (any run) and "?" (one character),
// ASCII letters compared without regard to case. "*.*" matches every name, as on Windows. The
// system's own matching is not used for this: it also matches 8.3 short names.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

bool HasWildcard(std::string_view text);

}  // namespace tidora::rules
