#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tidora::testing {

// Windows compares registry and file names without regard to case, non-ASCII letters included:
// "Über" and "über" are one name. Names fold to lower case, so the fakes list them in the order
// Wine's registry does ("_" before the letters; Windows, folding to upper case, puts it after).
// Folds ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters; other text stays as it is.
std::string Fold(std::string_view utf8);
inline bool SameName(std::string_view a, std::string_view b) {
  return Fold(a) == Fold(b);
}
// Splits on backslashes (and slashes), dropping empty parts.
std::vector<std::string> SplitPath(std::string_view path);
// Appends one character (below U+10000) as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

}  // namespace tidora::testing
