#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tidora::testing {

// Windows compares registry and file names without regard to case.
std::string Lower(std::string_view text);
bool SameName(std::string_view a, std::string_view b);
// Splits on backslashes (and slashes), dropping empty parts.
std::vector<std::string> SplitPath(std::string_view path);

}  // namespace tidora::testing
