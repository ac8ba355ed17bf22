#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tidora::testing {

// Windows compares registry and file names without regard to case, by their upper-case forms
// (so "_" sorts after the letters), non-ASCII letters included: "Über" and "über" are one name.
// Folds ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters; other text stays as it is.
std::string Fold(std::string_view utf8);
bool SameName(std::string_view a, std::string_view b);
// Splits on backslashes (and slashes), dropping empty parts.
std::vector<std::string> SplitPath(std::string_view path);

}  // namespace tidora::testing
